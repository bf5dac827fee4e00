// The main window's transaction commands: new, edit and delete.

#include "ledger/wCash.h"

#include "app/App.h"
#include "ledger/LedgerQuery.h"
#include "ledger/TransactionEntry.h"
#include "ledger/wTransacoes.h"
#include "platform/Controls.h"
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
    w.CarregaContas();
    w.CarregaCategorias();
    w.CarregaContatos();
    const int r = lMovimento->ListIndex();
    if (r >= 0) {
        const auto cell = [&](int column) { return lMovimento->Cell(r, column); };
        // The fields get the stored amount and day in forms that read back
        // exactly (a four-digit year, every decimal), not the rounded cells.
        OpenedRow stored;
        stored.id = cell(CellId);
        const bool haveStored = TransactionStore::readStored(*App::CashDB, stored);
        const bool credit = haveStored ? stored.entrada.toDouble() != 0 || stored.saida.toDouble() == 0
                                       : CDbl(cell(CellCredit)) > 0;
        if (haveStored)
            w.handOverAmount((credit ? stored.entrada : stored.saida).toDouble());
        else
            w.tValor->setText(cell(credit ? CellCredit : CellDebit));
        w.sTipo->setListIndex(credit ? 0 : 1);
        const QDate day = QDate::fromString(stored.data.left(10), QStringLiteral("yyyy-MM-dd"));
        if (day.isValid())
            w.handOverDate(day);
        else
            w.tData->setText(cell(CellDate));
        w.cConciliado->setChecked(cell(CellVerified) == Module1::kSim());
        // The row's own account: in the all-accounts view the account list
        // names no account of the row.
        wTransacoes::selectMatching(*w.sContas, cell(CellAccount));
        wTransacoes::selectMatching(*w.sCategoria, cell(CellCategory));
        wTransacoes::selectMatching(*w.sContato, cell(CellContact));
        w.tComentarios->setText(cell(CellComment));
        w.beginChange(cell(CellId), cell(CellAccount));
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
