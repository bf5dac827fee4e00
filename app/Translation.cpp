#include "app/Translation.h"

#include "app/HelpManual.h"
#include "platform/Files.h"

#include <QApplication>
#include <QPointer>
#include <QTranslator>

namespace {
QPointer<QTranslator> installed;
}

bool LoadTranslation(const QLocale& locale, const QStringList& folders)
{
    delete installed.data();
    for (const QString& folder : folders) {
        auto* translator = new QTranslator(qApp);
        if (translator->load(locale, QStringLiteral("tovira"), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator);
            installed = translator;
            return true;
        }
        delete translator;
    }
    return false;
}

void PrepareApplicationTexts()
{
    QApplication::setApplicationName(QStringLiteral("Tovira"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tovira"));
    LoadTranslation(QLocale::system(), ProgramDataFolders(ApplicationFolder(), QStringLiteral("translations")));
}
