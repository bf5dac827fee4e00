#pragma once

// Module1: the program's shared texts, the editors' mode flags and the one
// confirmation dialog.

#include <QString>
#include <QStringList>
#include <vector>

namespace Module1 {

// Every shown text: the translation installed for the key "Module1." + name,
// else the built-in Portuguese text. Looked up at each call, never cached.
#define TOVIRA_TEXT(name, text) QString name();
#include "ui/common/Module1Texts.inc"
#undef TOVIRA_TEXT

// Texts that are not in the original table but that sound behaviour needed.
QString kMsgDataInvalida();
QString kMsgUpdateFalhou();
QString kMsgPrefsNaoGravadas();
QString kMsgSomenteLeitura();
QString kTodosArquivos();
QString kMsgArquivoIlegivel();
QString kMsgArquivoGrande();
QString kMsgArquivoCresceu();
QString kMsgValorInvalido();
QString kMsgCamposFaltando();
QString kMsgValorTeclas();
QString kMsgValorNaoNumero();
QString kMsgValorAmbiguo();
QString kMsgValorAmbiguoMilhar();
QString kMsgValorCasasDecimais();
QString kMsgValorGrande();
QString kMsgDataInvalidaLinha();
QString kMsgValorZeroLinha();
QString kMsgValorAmbiguoLinha();
QString kMsgValorCasasDecimaisLinha();
QString kMsgValorGrandeLinha();
QString kMsgCreditoVazioLinha();
QString kMsgDebitoVazioLinha();
QString kMsgContaInvalidaLinha();
QString kMsgCategoriaInvalidaLinha();
QString kMsgContatoInvalidoLinha();
QString kMsgLinhasRecusadas();
QString kMsgImportarOutrasLinhas();
QString kMsgNadaImportado();
QString kMsgExportacaoFalhou();
QString kMsgNaoEArquivoComum();
QString kMsgArquivoSomenteLeitura();
QString kMsgSenhaIlegivel();
QString kMsgMovimentoNaoExiste();
QString kMsgAjudaSemLeitor();
QString kMsgExtratoIncompleto();
QString kMsgContatoNaoRenomeavel();
QString kMsgAgendamentosNaoLancados();
QString kMsgAgendamentoSemConta();
QString kMsgAgendamentoSemCategoria();
QString kMsgAgendamentoValorZero();
QString kMsgAgendamentoValorInvalido();
QString kMsgAgendamentosNaoLancadosTotal();

// The twelve month names, January first.
QStringList monthNames();

// Looks a key up in the installed translations, falling back to the default.
QString localized(const char* key, const QString& defaultText);

// Every text constant above, in the order they are defined, for the checks
// that must see each text the program can show.
struct TextConstant
{
    const char* name;
    QString (*text)();
};
const std::vector<TextConstant>& textConstants();

// Editor modes: "a" makes the editor's OK change the opened row; any other
// value, the initial empty text included, makes it insert.
extern QString contaopcao;
extern QString categoriaopcao;
extern QString contatoopcao;
extern QString transacaoopcao;

// Receives the answer of some warnings; nothing reads it.
extern bool resposta;

// Shows the confirmation dialog: a warning with OK alone (showCancel false) or
// a question with OK and Cancel, Cancel being the default. True for OK.
bool AbreJanela(const QString& message, bool showCancel, const QString& title);

} // namespace Module1
