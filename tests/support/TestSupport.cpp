#include "TestSupport.h"

#include "app/Schema.h"
#include "platform/Database.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionComboBox>
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

std::unique_ptr<SQLDatabase> newDatabase()
{
    auto db = std::make_unique<SQLDatabase>();
    db->setDatabaseFile(tempPath(QStringLiteral("Tovira.rbd")));
    EXPECT_TRUE(db->CreateDatabaseFile()) << db->ErrorMessage().toStdString();
    EXPECT_TRUE(Schema::Create(*db)) << db->ErrorMessage().toStdString();
    Schema::Upgrade(*db);
    return db;
}

void exec(SQLDatabase& db, const QString& sql)
{
    ASSERT_TRUE(db.SQLExecute(sql)) << sql.toStdString() << ": " << db.ErrorMessage().toStdString();
}

QList<QStringList> rows(SQLDatabase& db, const QString& sql, const QVariantList& params)
{
    QList<QStringList> out;
    auto rs = db.SQLSelect(sql, params);
    EXPECT_TRUE(rs) << sql.toStdString() << ": " << db.ErrorMessage().toStdString();
    for (; rs && !rs->Eof(); rs->MoveNext()) {
        QStringList row;
        for (int i = 1; i <= rs->FieldCount(); ++i)
            row << (rs->IdxField(i).IsNull() ? QStringLiteral("NULL") : rs->IdxField(i).StringValue());
        out << row;
    }
    return out;
}

QStringList column(SQLDatabase& db, const QString& sql, const QVariantList& params)
{
    QStringList out;
    for (const QStringList& row : rows(db, sql, params))
        out << row.value(0);
    return out;
}

void failOn(SQLDatabase& db, const QString& when, const QString& table, const QString& message)
{
    exec(db, QStringLiteral("CREATE TRIGGER fail_%1_%2 BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT, '%3'); END")
                 .arg(when, table, message));
}

FileHeldElsewhere::FileHeldElsewhere(SQLDatabase& db) : db_(db), other_(std::make_unique<SQLDatabase>())
{
    other_->setDatabaseFile(db.DatabaseFile());
    EXPECT_TRUE(other_->Connect() && other_->SQLExecute(QStringLiteral("BEGIN EXCLUSIVE")))
        << other_->ErrorMessage().toStdString();
    db_.setBusyTimeout(0);
}

FileHeldElsewhere::~FileHeldElsewhere()
{
    other_->SQLExecute(QStringLiteral("ROLLBACK"));
    db_.setBusyTimeout(SQLDatabase::BusyTimeoutMs);
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QString newFile(const QByteArray& bytes, const QString& name)
{
    const QString path = tempPath(name);
    writeFile(path, bytes);
    return path;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QImage saveImage(const QImage& image, const QString& name)
{
    QDir().mkpath(QStringLiteral(TOVIRA_SCREENSHOT_DIR));
    image.save(QStringLiteral(TOVIRA_SCREENSHOT_DIR "/") + name + QStringLiteral(".png"));
    return image;
}

bool showsWhole(const QComboBox& popup, const QString& text)
{
    QStyleOptionComboBox option;
    option.initFrom(&popup);
    option.editable = false;
    option.currentText = text;
    const QRect field =
        popup.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &popup);
    const QRect arrow = popup.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, &popup);
    // The style draws the text a pixel in from each side of its field.
    const QFontMetrics metrics(popup.font());
    return metrics.horizontalAdvance(text) + 2 <= field.width() && metrics.height() <= field.height() &&
           field.right() < arrow.left() && popup.rect().contains(field);
}

QImage eachRowShown(QComboBox& popup)
{
    // No change handler runs: the window behind the pop-up stays as it was.
    const QSignalBlocker quiet(popup);
    const int before = popup.currentIndex();
    QImage all(popup.width(), popup.count() * (popup.height() + 2), QImage::Format_RGB32);
    all.fill(Qt::black);
    QPainter painter(&all);
    for (int row = 0; row < popup.count(); ++row) {
        popup.setCurrentIndex(row);
        painter.drawImage(0, row * (popup.height() + 2), popup.grab().toImage());
    }
    popup.setCurrentIndex(before);
    return all;
}

} // namespace testsupport
