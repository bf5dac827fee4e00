// The reading rules of the preferences file; writing it and reading it back
// across a restart is in StartupTest.

#include "app/Preferences.h"

#include <gtest/gtest.h>

namespace {

// A written file with some lines replaced (numbered from 1).
QStringList linesWith(std::initializer_list<std::pair<int, QString>> changes)
{
    QStringList lines = Preferences::format(PreferencesValues());
    for (const auto& [n, text] : changes)
        lines[n - 1] = text;
    return lines;
}

QList<int> geometry(const PreferencesValues& v)
{
    return {v.height, v.left, v.top, v.width};
}

} // namespace

TEST(Preferences, parse_readsByPositionNotByKey_andClampsColours)
{
    const PreferencesValues r = Preferences::parse(linesWith({{1, "anything 0"},
                                                              {2, "xx230"},
                                                              {3, "cor_g =999"},
                                                              {4, "cor_b =-12"},
                                                              {8, "conta_inicio = Casa"},
                                                              {9, "no equals sign"},
                                                              {10, "  412 px"}}));
    EXPECT_FALSE(r.prefEditor);
    EXPECT_EQ(QList<int>({r.cor_r, r.cor_g, r.cor_b}), QList<int>({230, 255, 0}));
    EXPECT_EQ(r.contaInicial, " Casa"); // the blank after "=" belongs to the name
    EXPECT_EQ(r.mesInicial, "no equals sign");
    EXPECT_EQ(r.height, 412);
}

TEST(Preferences, parse_zeroOrMissingWidth_bringsBackTheWholeDefaultGeometry)
{
    const QList<int> defaults = {500, 10, 110, 744};
    for (const QString& width : {QString("0"), QString(), QString("wide")}) {
        const PreferencesValues r = Preferences::parse(linesWith({{10, "300"}, {11, "1"}, {12, "2"}, {13, width}}));
        EXPECT_EQ(geometry(r), defaults) << width.toStdString();
    }
    // A file cut short before line 13, and an empty one.
    PreferencesValues r = Preferences::parse(linesWith({{10, "300"}}).mid(0, 11));
    EXPECT_EQ(geometry(r), defaults);
    EXPECT_EQ(r.columns, QStringList(6, QString()));
    r = Preferences::parse({});
    EXPECT_EQ(geometry(r), defaults);
    EXPECT_FALSE(r.prefEditor);
    EXPECT_EQ(r.cor_r, 0);
    EXPECT_EQ(r.contaInicial, "");
}
