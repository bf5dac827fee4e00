// The preferences file as input and as output: what start-up takes from it is
// bounded and checked like typed input, and a quit that cannot write it keeps
// the last run's file and says so.

#include "AppFixture.h"
#include "FullDisk.h"
#include "FileKinds.h"
#include "app/Preferences.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

using testsupport::readFile;

// A preferences file as a run writes it, with these lines (counted from 1) changed.
QByteArray prefsWith(std::initializer_list<std::pair<int, QByteArray>> changes)
{
    QList<QByteArray> lines = QByteArray("editarea =1|cor_r =230|cor_g =230|cor_b =230||||conta_inicio =Banco|"
                                         "mes_inicio =Atual|500|10|110|744|05/12/26|120|100|80|90|90|70")
                                  .split('|');
    for (const auto& [n, text] : changes)
        lines[n - 1] = text;
    return lines.join('\n') + '\n';
}

class PreferencesFile : public AppTest
{
  protected:
    void SetUp() override
    {
        AppTest::SetUp();
        removeUserFiles();
    }
    static QRect screenArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }
};

} // namespace

TEST_F(PreferencesFile, quitOntoAFullDisk_isReported_andKeepsTheLastRunsFile)
{
    const QString folder = testsupport::tempPath("config");
    const QByteArray last = prefsWith({});
    testsupport::FullDisk disk(folder, {{"Tovira", last}});
    if (!disk.mounted())
        GTEST_SKIP() << disk.reason().toStdString();
    ConfigHome home(folder);
    start();
    EXPECT_EQ(App::ContaInicial, "Banco");
    App::MesInicial = "Janeiro";
    App::_FileQuit_Action();
    ASSERT_EQ(recorder.messages().size(), 1);
    EXPECT_TRUE(recorder.messages()[0].startsWith(Module1::kMsgPrefsNaoGravadas()));
    EXPECT_EQ(readFile(folder + "/Tovira"), last);
    EXPECT_EQ(disk.entries(), QStringList({"Tovira"}));
}

// Preferences that are not a regular file (a FIFO would hold the start) are
// neither read nor replaced at quit: the quit says why nothing was kept. A
// link to a regular file is followed and stays a link.
TEST_F(PreferencesFile, thatAreNotARegularFile_areLeftAlone_andTheQuitSaysSo_aLinkToAFileIsFollowed)
{
    const QByteArray casa = prefsWith({{8, "conta_inicio =Casa"}});
    const auto linkToAFile = [&](const QString& p) {
        testsupport::writeFile(p + ".target", casa);
        QFile::link(p + ".target", p);
    };
    QList<testsupport::NotARegularFile> targets = {{"a link to a file", linkToAFile}};
    targets << testsupport::notRegularFiles();
    for (const auto& [what, make] : targets) {
        SCOPED_TRACE(what);
        reset();
        recorder.clear();
        removeUserFiles();
        // A link's target left by an earlier row would be linked to in place of the one this row makes.
        QFile::remove(prefsFile() + ".target");
        EnsureFolder(PreferencesFolder());
        make(prefsFile());
        const QString kind = testsupport::fileKind(prefsFile());
        const QStringList entries = QDir(PreferencesFolder()).entryList(QDir::AllEntries | QDir::System);
        const testsupport::FifoWatchdog watchdog(prefsFile());
        start();
        EXPECT_FALSE(watchdog.released()) << "the start opened the FIFO as a file and waited on it for a writer";
        const bool followed = kind == "link to file";
        EXPECT_EQ(App::ContaInicial, followed ? "Casa" : "");
        App::MesInicial = "Janeiro";
        App::_FileQuit_Action();
        EXPECT_EQ(testsupport::fileKind(prefsFile()), kind);
        EXPECT_EQ(QDir(PreferencesFolder()).entryList(QDir::AllEntries | QDir::System), entries);
        if (followed) {
            EXPECT_TRUE(recorder.messages().isEmpty());
            EXPECT_EQ(prefsLines().value(8), "mes_inicio =Janeiro");
            continue;
        }
        EXPECT_EQ(recorder.messages(), QStringList({Module1::kMsgPrefsNaoGravadas() + "\n\n" +
                                                    Module1::kMsgNaoEArquivoComum().arg(prefsFile())}));
        QDir(prefsFile()).removeRecursively();
        QFile::remove(prefsFile());
    }
}

// A stored place or size the screen cannot show gives the default for it; the
// window is never larger than the screen's free area, its title bar never off
// it, and the quit writes back what the window was given.
TEST_F(PreferencesFile, geometryTheScreenCannotShow_givesTheDefault_andTheQuitWritesBackTheCorrectedOne)
{
    const QRect area = screenArea();
    const QByteArray right = QByteArray::number(area.right() - 100);
    const std::tuple<QList<QByteArray>, QRect> cases[] = {
        {{"999999999", "999999999", "999999999", "999999999"}, QRect(10, 110, 744, 500)},
        {{"-400", "-5000", "-30", "-744"}, QRect(10, 110, 744, 500)},
        {{"420", right, "140", "600"}, QRect(10, 140, 600, 420)}, // the right part off the screen
    };
    for (const auto& [stored, expected] : cases) {
        SCOPED_TRACE(stored.join(' ').toStdString());
        reset();
        testsupport::writeFile(prefsFile(),
                               prefsWith({{10, stored[0]}, {11, stored[1]}, {12, stored[2]}, {13, stored[3]}}));
        start();
        const QRect shown = wCash::instance().geometry();
        EXPECT_EQ(shown, expected);
        EXPECT_TRUE(area.contains(shown.topLeft()) && area.contains(shown.topRight()));
        App::_FileQuit_Action();
        EXPECT_EQ(prefsLines().mid(9, 4),
                  QStringList({QString::number(expected.height()), QString::number(expected.x()),
                               QString::number(expected.y()), QString::number(expected.width())}));
    }
}

// Values are read to a bounded length: a start account or month that is too
// long, or holds bytes that are not text, reads as empty, and the lines after
// it still count.
TEST_F(PreferencesFile, startAccountOrMonthTooLongOrNotText_readsAsEmpty_andTheOtherLinesStillCount)
{
    const std::tuple<QByteArray, QByteArray, QString, QString> cases[] = {
        {"conta_inicio =" + QByteArray(300000, 'x'), "mes_inicio =Atual", "", "Atual"},
        {"conta_inicio =Banco\xff\xfe", "mes_inicio =Janeiro\x01", "", ""},
        {QByteArray("conta_inicio =Banc\0o", 20), "mes_inicio =Març\xc3", "", ""},
        {"conta_inicio = Poupança\r", "mes_inicio =Atual\r", " Poupança", "Atual"}, // line ends of another system
    };
    for (const auto& [account, month, expectedAccount, expectedMonth] : cases) {
        SCOPED_TRACE(account.left(40).toStdString());
        reset();
        testsupport::writeFile(prefsFile(), prefsWith({{8, account}, {9, month}}));
        start();
        EXPECT_EQ(App::ContaInicial, expectedAccount);
        EXPECT_EQ(App::MesInicial, expectedMonth);
        EXPECT_EQ(App::datahoje, "05/12/26");
        EXPECT_EQ(wCash::instance().geometry(), QRect(10, 110, 744, 500));
        App::_FileQuit_Action();
        EXPECT_EQ(prefsLines().value(7), "conta_inicio =" + expectedAccount);
    }
}

// On a screen that does not start at the origin (a second screen, a panel at
// the top) a place on it is kept, and the default place is moved onto it. A
// size is fitted against the area's size, not against where the area ends: a
// screen right of or below another is no larger for it.
TEST(Preferences, fitToScreen_keepsAPlaceOnAnAreaAwayFromTheOrigin_andMovesTheDefaultOntoIt)
{
    const QRect area(1920, 30, 1280, 994);
    const QRect right(1920, 0, 1920, 1080);
    const QRect below(0, 1080, 1920, 1080);
    const std::tuple<QRect, QRect, QRect> cases[] = {
        {area, QRect(2000, 30, 1280 - 80, 994), QRect(2000, 30, 1200, 994)},
        {area, QRect(10, 110, 744, 500), QRect(1920, 110, 744, 500)},
        {area, QRect(3100, 100, 200, 200), QRect(1920, 100, 200, 200)},
        {area, QRect(2000, 1000, 800, 600), QRect(2000, 110, 800, 600)},
        {area, QRect(2000, 29, 800, 995), QRect(2000, 110, 800, 500)},
        {right, QRect(2000, 100, 1800, 600), QRect(2000, 100, 1800, 600)},
        {right, QRect(2000, 100, 2500, 600), QRect(2000, 100, 744, 600)},
        {below, QRect(100, 1100, 800, 1000), QRect(100, 1100, 800, 1000)},
        {below, QRect(100, 1100, 800, 1500), QRect(100, 1100, 800, 500)},
    };
    for (const auto& [screen, stored, expected] : cases) {
        PreferencesValues v;
        v.left = stored.x(), v.top = stored.y(), v.width = stored.width(), v.height = stored.height();
        const PreferencesValues fitted = Preferences::fitToScreen(v, screen);
        EXPECT_EQ(QRect(fitted.left, fitted.top, fitted.width, fitted.height), expected)
            << stored.x() << ',' << stored.y() << ' ' << stored.width() << 'x' << stored.height();
    }
}
