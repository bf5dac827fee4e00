#include "app/Preferences.h"

#include <gtest/gtest.h>

namespace {

QStringList linesWith(std::initializer_list<std::pair<int, QString>> changes)
{
    PreferencesValues v;
    v.columns = QStringList{"120", "100", "80", "90", "90", "70"};
    QStringList lines = Preferences::format(v);
    for (const auto& [n, text] : changes)
        lines[n - 1] = text;
    return lines;
}

} // namespace

TEST(Preferences, format_writesTwentyLinesWithReservedLinesEmpty)
{
    PreferencesValues v;
    v.prefEditor = false;
    v.cor_r = v.cor_g = v.cor_b = 255;
    v.contaInicial = "Casa";
    v.mesInicial = "Atual";
    v.height = 480;
    v.left = -20;
    v.top = 64;
    v.width = 900;
    v.datahoje = "05/12/26";
    v.columns = QStringList{"120", "100", "80", "90", "90", "70"};
    const QStringList expected{"editarea =0",
                               "cor_r =255",
                               "cor_g =255",
                               "cor_b =255",
                               "",
                               "",
                               "",
                               "conta_inicio =Casa",
                               "mes_inicio =Atual",
                               "480",
                               "-20",
                               "64",
                               "900",
                               "05/12/26",
                               "120",
                               "100",
                               "80",
                               "90",
                               "90",
                               "70"};
    EXPECT_EQ(Preferences::format(v), expected);
}

TEST(Preferences, formatThenParse_roundTrip)
{
    PreferencesValues v;
    v.prefEditor = false;
    v.cor_r = 255;
    v.cor_g = 230;
    v.cor_b = 100;
    v.contaInicial = " Conta com = e blanks ";
    v.mesInicial = "Março";
    v.height = 333;
    v.left = 5;
    v.top = 7;
    v.width = 1024;
    v.datahoje = "01/02/26";
    v.columns = QStringList{"1", "2", "3", "4", "5", "6"};
    const PreferencesValues r = Preferences::parse(Preferences::format(v));
    EXPECT_FALSE(r.prefEditor);
    EXPECT_EQ(r.cor_r, 255);
    EXPECT_EQ(r.cor_g, 230);
    EXPECT_EQ(r.cor_b, 100);
    EXPECT_EQ(r.contaInicial, v.contaInicial);
    EXPECT_EQ(r.mesInicial, v.mesInicial);
    EXPECT_EQ(QList<int>({r.height, r.left, r.top, r.width}), QList<int>({333, 5, 7, 1024}));
    EXPECT_EQ(r.datahoje, v.datahoje);
    EXPECT_EQ(r.columns, v.columns);
}

TEST(Preferences, parse_readsByPositionNotByKey)
{
    const QStringList lines = linesWith(
        {{1, "anything 1"}, {2, "xx230"}, {8, "conta_inicio = Casa"}, {9, "no equals sign"}, {10, "  412 px"}});
    const PreferencesValues r = Preferences::parse(lines);
    EXPECT_TRUE(r.prefEditor);
    EXPECT_EQ(r.cor_r, 230);
    EXPECT_EQ(r.contaInicial, " Casa"); // the blank after "=" belongs to the name
    EXPECT_EQ(r.mesInicial, "no equals sign");
    EXPECT_EQ(r.height, 412);
}

TEST(Preferences, parse_zeroOrMissingWidth_usesDefaultGeometry)
{
    for (const QString& width : {QString("0"), QString(), QString("wide")}) {
        const PreferencesValues r = Preferences::parse(linesWith({{10, "300"}, {11, "1"}, {12, "2"}, {13, width}}));
        EXPECT_EQ(QList<int>({r.height, r.left, r.top, r.width}), QList<int>({500, 10, 110, 744}))
            << width.toStdString();
    }
    // A file cut short before line 13.
    const PreferencesValues r = Preferences::parse(linesWith({}).mid(0, 11));
    EXPECT_EQ(QList<int>({r.height, r.left, r.top, r.width}), QList<int>({500, 10, 110, 744}));
    EXPECT_EQ(r.datahoje, "");
    EXPECT_EQ(r.columns, QStringList(6, QString()));
}

TEST(Preferences, parse_emptyFile_givesZerosAndEmptyTexts)
{
    const PreferencesValues r = Preferences::parse({});
    EXPECT_FALSE(r.prefEditor);
    EXPECT_EQ(r.cor_r, 0);
    EXPECT_EQ(r.contaInicial, "");
    EXPECT_EQ(r.width, 744);
}

TEST(Preferences, parse_colourOutOfRange_isClampedToAColour)
{
    const PreferencesValues r = Preferences::parse(linesWith({{2, "cor_r =999"}, {3, "cor_g =-12"}}));
    EXPECT_EQ(r.cor_r, 255);
    EXPECT_EQ(r.cor_g, 0);
}

TEST(Preferences, defaults_areTheFirstRunValues)
{
    const PreferencesValues d = Preferences::defaults();
    EXPECT_TRUE(d.prefEditor);
    EXPECT_EQ(QList<int>({d.cor_r, d.cor_g, d.cor_b}), QList<int>({230, 230, 230}));
    EXPECT_EQ(QList<int>({d.height, d.left, d.top, d.width}), QList<int>({500, 10, 110, 744}));
    EXPECT_EQ(d.columns, QStringList(6, QString()));
}
