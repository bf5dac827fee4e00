#include "AppFixture.h"

#include "platform/Window.h"
#include "ui/common/MenuBar1.h"

#include <QApplication>
#include <QPointer>

void AppTest::resetRun()
{
    App::resetState();
    Module1::contaopcao.clear();
    Module1::categoriaopcao.clear();
    Module1::contatoopcao.clear();
    Module1::transacaoopcao.clear();
}

void AppTest::insertEach(const char* sql, const QStringList& values)
{
    for (const QString& value : values)
        ASSERT_TRUE(db().SQLExecute(QLatin1String(sql), {value})) << db().ErrorMessage().toStdString();
}

QString AppTest::addTransaction(const QString& account, const QString& category, const QString& contact,
                                const QString& date, const QString& credit, const QString& debit,
                                const QString& verified, const QString& comment)
{
    const auto amount = [](const QString& text) { return text.isEmpty() ? QVariant() : QVariant(text.toDouble()); };
    EXPECT_TRUE(db().SQLExecute(QStringLiteral("INSERT INTO Movimento (conta_nome, conta, contato, data, entrada, "
                                               "saida, conciliado, comentarios) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                                {account, category, contact, date, amount(credit), amount(debit), verified, comment}))
        << db().ErrorMessage().toStdString();
    const QString id = QString::number(db().LastRowId());
    if (wCash* window = wCash::existing())
        window->CarregalMovimento();
    return id;
}

void AppTest::addSchedule(const QString& account, const QString& category, const QString& type, const QString& date,
                          const QString& amount, const QString& repeat, const QString& contact)
{
    EXPECT_TRUE(db().SQLExecute(QStringLiteral("INSERT INTO Agenda VALUES (?, ?, ?, ?, ?, ?, ?)"),
                                {account, category, type, date, amount, repeat, contact}))
        << db().ErrorMessage().toStdString();
}

QList<QStringList> AppTest::storedRows(const QString& id)
{
    return testsupport::rows(db(),
                             "SELECT conta_nome, conta, contato, data, entrada, saida, conciliado, comentarios "
                             "FROM Movimento WHERE ? = '' OR id = ? ORDER BY id",
                             {id, id});
}

void AppTest::doubleClickRow(Listbox* list, const QString& text)
{
    list->window()->show();
    select(list, text);
    const QModelIndex index = list->model()->index(list->ListIndex(), 0);
    list->scrollTo(index);
    const QPoint at = list->visualRect(index).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

void AppTest::click(QPushButton* button)
{
    ASSERT_TRUE(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

void AppTest::closeWindows()
{
    // Hidden first: a window destroyed while shown may repaint itself half
    // destroyed (the main window's ledger asks it for row colours).
    QList<QPointer<Window>> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<Window*>(widget); window && !window->parentWidget())
            windows << window;
    for (Window* window : windows)
        window->hide();
    for (const QPointer<Window>& window : windows)
        delete window.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QStringList AppTest::prefsLines()
{
    QStringList lines;
    ReadTextLines(prefsFile(), lines, 100, 1 << 20); // more than any run writes, to see every line
    return lines;
}

void AppTest::removeUserFiles()
{
    QDir(dataFolder()).removeRecursively();
    QFile::remove(prefsFile());
}

void AppTest::start()
{
    InstallMainMenusAndToolbar();
    ASSERT_TRUE(App::Event_Open());
}
