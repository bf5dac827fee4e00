// The program's texts: built-in, or from a translation made here with lrelease
// and placed where the program looks for translations.

#include "AppFixture.h"
#include "app/HelpManual.h"
#include "app/Translation.h"
#include "ui/common/MenuBar1.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>

namespace {

struct Text
{
    QString key;
    QString (*lookup)();
};

// Gathered from the program's own table, so this is no copy of it.
const std::vector<Text> texts = {
#define TOVIRA_TEXT(name, text) {QStringLiteral("Module1." #name), &Module1::name},
#include "ui/common/Module1Texts.inc"
#undef TOVIRA_TEXT
};

// Writes `translations` (key -> text) as the program's translation for `language` into `folder`.
void makeTranslation(const QString& folder, const QString& language, const QHash<QString, QString>& translations)
{
    QString ts = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n<TS version=\"2.1\" "
                                "language=\"%1\"><context><name></name>\n")
                     .arg(language);
    for (auto it = translations.begin(); it != translations.end(); ++it)
        ts += QStringLiteral("<message id=\"%1\"><source>x</source><translation>%2</translation></message>\n")
                  .arg(it.key(), it.value().toHtmlEscaped());
    ts += QStringLiteral("</context></TS>\n");
    const QString source = folder + QStringLiteral("/tovira_") + language + QStringLiteral(".ts");
    testsupport::writeFile(source, ts.toUtf8());
    QProcess lrelease;
    lrelease.start(QStringLiteral(TOVIRA_LRELEASE), {QStringLiteral("-idbased"), QStringLiteral("-silent"), source});
    ASSERT_TRUE(lrelease.waitForFinished()) << lrelease.errorString().toStdString();
    ASSERT_EQ(lrelease.exitCode(), 0) << lrelease.readAllStandardError().toStdString();
}

} // namespace

using Translation = AppTest;

// A user whose language has a translation beside the program: every text comes
// from it by its key, the menus show it (but for "Fechar"), and the help opens
// the English manual. Without it, the built-in texts come back at once.
TEST_F(Translation, installedForTheUsersLanguage_replacesEveryTextByItsKey_andHelpOpensTheEnglishManual)
{
    const QString program = QFileInfo(testsupport::tempPath(QStringLiteral("bin"))).absoluteFilePath();
    QHash<QString, QString> english;
    for (const Text& text : texts)
        english.insert(text.key, QStringLiteral("T:") + text.key);
    EXPECT_EQ(english.size(), qsizetype(texts.size())) << "every key is distinct";
    english.insert(QStringLiteral("Module1.idioma2"), QStringLiteral("eng"));
    english.insert(QStringLiteral("Module1.kContas"), QStringLiteral("Accounts"));
    makeTranslation(program + QStringLiteral("/translations"), QStringLiteral("en"), english);
    testsupport::writeFile(program + QStringLiteral("/help/manual_eng.pdf"));
    SetApplicationFolder(program);
    const QStringList folders = ProgramDataFolders(ApplicationFolder(), QStringLiteral("translations"));

    EXPECT_FALSE(LoadTranslation(QLocale(QLocale::Portuguese, QLocale::Brazil), folders));
    ASSERT_TRUE(LoadTranslation(QLocale(QLocale::English, QLocale::UnitedStates), folders));
    for (const Text& text : texts)
        EXPECT_EQ(text.lookup(), english.value(text.key)) << text.key.toStdString();

    if (MenuBar1::exists())
        delete &MenuBar1::instance(); // built with the texts of before
    removeUserFiles();
    start();
    EXPECT_EQ(MenuBar1::instance().entry(QStringLiteral("mContas"))->text(), QStringLiteral("Accounts"));
    EXPECT_EQ(MenuBar1::instance().entry(QStringLiteral("FileQuit"))->text(), QStringLiteral("Fechar"));
    MenuBar1::instance().entry(QStringLiteral("mHelp2"))->trigger();
    EXPECT_EQ(recorder.openedDocuments, QStringList{program + QStringLiteral("/help/manual_eng.pdf")});
    testsupport::screenshot(wCash::instance(), QStringLiteral("wCash_translated"));

    EXPECT_FALSE(LoadTranslation(QLocale(QLocale::German), folders));
    SetApplicationFolder(QString());
    EXPECT_EQ(Module1::kContas(), QStringLiteral("Contas"));
    EXPECT_EQ(Module1::idioma2(), QStringLiteral("port"));
}

TEST(ApplicationTexts, messageBoxes_areTitledWithTheProgramsName)
{
    PrepareApplicationTexts();
    QString title;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            title = box->windowTitle();
            box->accept();
        }
    });
    poll.start(5);
    MsgBox(QStringLiteral("Aviso"));
    EXPECT_EQ(title, QStringLiteral("Tovira"));
}
