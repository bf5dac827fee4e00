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
    // A zero, unreadable or missing width brings back a usable window.
    for (const QStringList& lines : {linesWith({{13, "0"}}), linesWith({{13, "wide"}}), QStringList()})
        EXPECT_GT(Preferences::parse(lines).width, 100);
}
