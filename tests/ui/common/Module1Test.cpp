// The program's texts: built-in, or from a translation made here with lrelease
// and placed where the program looks for translations.

#include "AppFixture.h"
#include "app/HelpManual.h"
#include "app/Translation.h"
#include "ui/common/MenuBar1.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
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

TEST(ApplicationTexts, messageBoxes_areTitledWithTheProgramsName_andNoWindowTitleGetsItAppended)
{
    PrepareApplicationTexts();
    // Qt appends an application's display name to every window title; with
    // none set, the display name follows the application's name.
    QApplication::setApplicationName(QStringLiteral("nome"));
    EXPECT_EQ(QApplication::applicationDisplayName().toStdString(), "nome");
    QApplication::setApplicationName(QStringLiteral("Tovira"));

    QString title;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            title = box->windowTitle();
            box->accept();
        }
    });
    poll.start(5);
    MsgBox(QStringLiteral("Aviso"));
    EXPECT_EQ(title, QStringLiteral("Tovira"));
}

// Qt's own texts, in the file dialogs and on the standard buttons, speak the
// program's language: Brazilian Portuguese with its own texts, English with
// an English translation of it.
TEST(ApplicationTexts, fileDialogsAndStandardButtons_speakTheProgramsLanguage)
{
    const QString program = QFileInfo(testsupport::tempPath(QStringLiteral("qt"))).absoluteFilePath();
    makeTranslation(program + QStringLiteral("/translations"), QStringLiteral("en"),
                    {{QStringLiteral("Module1.kContas"), QStringLiteral("Accounts")}});
    const QStringList folders = ProgramDataFolders(program, QStringLiteral("translations"));
    const std::tuple<QLocale, const char*, QStringList> cases[] = {
        {QLocale(QLocale::Portuguese, QLocale::Brazil), "qt_pt_BR", {"Procurar em:", "&Salvar", "Cancelar"}},
        {QLocale(QLocale::English, QLocale::UnitedStates), "qt_en", {"Look in:", "&Save", "Cancel"}},
    };
    for (const auto& [locale, name, expected] : cases) {
        SCOPED_TRACE(name);
        LoadTranslation(locale, folders);
        QStringList seen;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&, name = name] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            poll.stop();
            seen << dialog->findChild<QLabel*>(QStringLiteral("lookInLabel"))->text();
            for (QAbstractButton* button : dialog->findChild<QDialogButtonBox*>()->buttons())
                seen << button->text();
            testsupport::screenshot(*dialog, QString::fromLatin1(name) + QStringLiteral("_save_dialog"));
            dialog->reject();
        });
        poll.start(5);
        EXPECT_EQ(seams::fileDialogs().saveFile(QStringLiteral("Exportar..."), testsupport::tempPath("x.txt"), {}),
                  QString());
        EXPECT_EQ(seen.join(" | ").toStdString(), expected.join(" | ").toStdString());
        QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().toStdString(), expected.last().toStdString());
    }
    LoadTranslation(QLocale(QLocale::Portuguese, QLocale::Brazil), {});
}
