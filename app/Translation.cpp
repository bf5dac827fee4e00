#include "app/Translation.h"

#include "app/HelpManual.h"
#include "platform/Files.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace {

QPointer<QTranslator> installed;
QPointer<QTranslator> installedQt;

// The language of a translation: the one it declares, else its file's suffix
// ("tovira_en_US.qm" -> "en_US").
QString languageOf(const QTranslator& translator)
{
    if (!translator.language().isEmpty())
        return translator.language();
    const QString base = QFileInfo(translator.filePath()).completeBaseName();
    return base.mid(base.indexOf(QLatin1Char('_')) + 1);
}

// Qt's own texts in the language. Without a file for it (English, or Qt's
// translations not installed) Qt keeps its built-in English texts.
void loadQtTexts(const QString& language)
{
    delete installedQt.data();
    auto* translator = new QTranslator(qApp);
    if (translator->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
        installedQt = translator;
        return;
    }
    delete translator;
}

} // namespace

bool LoadTranslation(const QLocale& locale, const QStringList& folders)
{
    delete installed.data();
    for (const QString& folder : folders) {
        auto* translator = new QTranslator(qApp);
        if (translator->load(locale, QStringLiteral("tovira"), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator);
            installed = translator;
            loadQtTexts(languageOf(*translator));
            return true;
        }
        delete translator;
    }
    loadQtTexts(QStringLiteral("pt_BR"));
    return false;
}

void PrepareApplicationTexts()
{
    // No display name: Qt would add it to every window title.
    QApplication::setApplicationName(QStringLiteral("Tovira"));
    LoadTranslation(QLocale::system(), ProgramDataFolders(ApplicationFolder(), QStringLiteral("translations")));
}
