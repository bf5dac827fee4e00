#include "TestSupport.h"

#include "platform/Database.h"

#include <QDir>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#ifndef TOVIRA_SCREENSHOT_DIR
#define TOVIRA_SCREENSHOT_DIR "screenshots"
#endif

namespace testsupport {

QString tempPath(const QString& name)
{
    static int counter = 0;
    static QTemporaryDir root;
    const QString dir = root.path() + QStringLiteral("/t%1").arg(++counter);
    QDir().mkpath(dir);
    return dir + '/' + name;
}

void exec(SQLDatabase& db, const QString& sql)
{
    ASSERT_TRUE(db.SQLExecute(sql)) << sql.toStdString() << ": " << db.ErrorMessage().toStdString();
}

QImage screenshot(QWidget& widget, const QString& name)
{
    const QImage image = widget.grab().toImage();
    QDir().mkpath(QStringLiteral(TOVIRA_SCREENSHOT_DIR));
    image.save(QStringLiteral(TOVIRA_SCREENSHOT_DIR "/") + name + QStringLiteral(".png"));
    return image;
}

} // namespace testsupport
