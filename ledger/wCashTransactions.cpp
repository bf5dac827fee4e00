// The main window's transaction commands: new, edit and delete.

#include "ledger/wCash.h"

#include "app/App.h"
#include "ledger/LedgerQuery.h"
#include "ledger/TransactionEntry.h"
#include "ledger/wTransacoes.h"
#include "platform/Controls.h"
#include "platform/Database.h"
#include "platform/Format.h"
#include "platform/Listbox.h"
#include "platform/Seams.h"
#include "ui/common/Module1.h"

#include <QCheckBox>

void wCash::NovoMovimento()
{
    Module1::transacaoopcao = QStringLiteral("i");
    wTransacoes& w = wTransacoes::instance();
    w.forgetOpenedRow();
    w.CarregaCategorias();
    w.CarregaContatos();
    w.CarregaContas();
    w.LimpaCampos();
    wTransacoes::selectMatching(*w.sContas, List_Contas->Text());
    w.tData->setText(ShortDate(Today()));
    w.Show();
}

void wCash::AlteraMovimento()
{
    using namespace LedgerQuery;
    wTransacoes& w = wTransacoes::instance();
    const int r = lMovimento->ListIndex();
    OpenedRow row;
    row.id = lMovimento->Cell(r, CellId);
    // The fields are filled from the row as it is stored now, not from the
    // ledger's cells: those may be older than a rename made meanwhile, and
    // they show a rounded amount and a two-digit year.
    if (r >= 0 && !TransactionStore::readStored(*App::CashDB, row)) {
        if (App::CashDB->Error())
            App::DisplayDatabaseError();
        else
            MsgBox(Module1::kMsgMovimentoNaoExiste());
        CarregalMovimento();
        return;
    }
    w.CarregaContas();
    w.CarregaCategorias();
    w.CarregaContatos();
    if (r >= 0) {
        const bool credit = row.entrada.toDouble() != 0 || row.saida.toDouble() == 0;
        w.handOverAmount((credit ? row.entrada : row.saida).toDouble());
        w.sTipo->setListIndex(credit ? 0 : 1);
        const QDate day = DatabaseField(row.data).DateValue();
        if (day.isValid())
            w.handOverDate(day);
        else
            w.tData->setText(row.data);
        w.cConciliado->setChecked(row.conciliado == Module1::kSim());
        // The row's own account: in the all-accounts view the account list
        // names no account of the row.
        wTransacoes::selectMatching(*w.sContas, row.account);
        wTransacoes::selectOwn(*w.sCategoria, row.category);
        wTransacoes::selectOwn(*w.sContato, row.contact);
        w.tComentarios->setText(row.comentarios);
        w.beginChange(row);
    } else {
        // With no row there is nothing to replace: OK stores the fields as a new row.
        w.forgetOpenedRow();
    }
    Module1::transacaoopcao = QStringLiteral("a");
    w.Show();
}

void wCash::ApagaMovimento()
{
    const int r = lMovimento->ListIndex();
    const QString id = r >= 0 ? lMovimento->Cell(r, LedgerQuery::CellId) : QString();
    if (id.isEmpty() || List_Contas->Text().isEmpty()) {
        MsgBox(Module1::kMsgSelecionaMovimento());
        return;
    }
    if (App::refusesWrites())
        return;
    if (!Module1::AbreJanela(Module1::kMsgConfirmaApaga(), true, QStringLiteral("Confirma?")))
        return;
    if (!TransactionStore::remove(*App::CashDB, id)) {
        App::DisplayDatabaseError();
        return;
    }
    CarregalMovimento();
    CarregaAno();
}

void wCash::lMovimento_DoubleClick()
{
    AlteraMovimento();
}

bool wCash::lMovimento_KeyDown(const QString& key)
{
    if (lMovimento->ListCount() == 0)
        return false;
    if (key == QChar(8) || key == QChar(127))
        ApagaMovimento();
    return false;
}

void wCash::BevelButton2_Action()
{
    NovoMovimento();
}

void wCash::BevelButton4_Action()
{
    ApagaMovimento();
}
