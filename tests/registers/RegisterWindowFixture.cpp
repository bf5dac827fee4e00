#include "RegisterWindowFixture.h"

#include "app/App.h"
#include "ledger/wCash.h"
#include "platform/Controls.h"
#include "platform/Listbox.h"
#include "registers/wCategorias.h"
#include "registers/wContas.h"
#include "registers/wContatos.h"
#include "registers/wEditaContato.h"
#include "ui/common/Module1.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QTest>

namespace {

template <class W>
void destroy()
{
    if (W* window = W::existing())
        delete window;
}

} // namespace

void RegisterWindowTest::SetUp()
{
    App::resetState();
    App::CashDB = registertest::newDatabase();
    registertest::seed(*App::CashDB);
    App::MesInicial = Module1::kTodos2();
    Module1::contaopcao.clear();
    Module1::categoriaopcao.clear();
    Module1::contatoopcao.clear();
    main = &wCash::instance();
    // Every year, so that the ledger shows every transaction of the account.
    main->sAno->setListIndex(main->sAno->ListCount() - 1);
    ASSERT_EQ(main->sAno->Text(), Module1::kTodos2());
    main->show();
}

void RegisterWindowTest::TearDown()
{
    destroy<wContas>();
    destroy<wCategorias>();
    destroy<wEditaContato>();
    destroy<wContatos>();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // A main window destroyed while shown repaints its ledger half-destroyed.
    if (main)
        main->hide();
    App::resetState();
}

SQLDatabase& RegisterWindowTest::db()
{
    return *App::CashDB;
}

QStringList RegisterWindowTest::rows(const Listbox& list)
{
    QStringList out;
    for (int i = 0; i < list.ListCount(); ++i)
        out << list.Cell(i, 0);
    return out;
}

int RegisterWindowTest::rowOf(const Listbox& list, const QString& text)
{
    return int(rows(list).indexOf(text));
}

void RegisterWindowTest::doubleClickRow(Listbox& list, const QString& text)
{
    list.window()->show();
    const int row = rowOf(list, text);
    ASSERT_GE(row, 0) << text.toStdString();
    list.scrollTo(list.model()->index(row, 0));
    const QPoint at = list.visualRect(list.model()->index(row, 0)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
}

void RegisterWindowTest::click(QPushButton* button)
{
    ASSERT_TRUE(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

int RegisterWindowTest::ledgerRowsOf(const QString& account)
{
    const int row = rowOf(*main->List_Contas, account);
    if (row < 0)
        return -1;
    main->List_Contas->setListIndex(row);
    return main->lMovimento->ListCount();
}
