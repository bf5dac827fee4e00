#include "ui/common/Module1.h"

#include "platform/Seams.h"

#include <QCoreApplication>

namespace Module1 {

QString contaopcao;
QString categoriaopcao;
QString contatoopcao;
QString transacaoopcao;
bool resposta = false;

QString localized(const char* key, const QString& defaultText)
{
    // qtTrId answers the key itself when no installed translation holds it.
    const QString found = qtTrId(key);
    return found.isEmpty() || found == QLatin1String(key) ? defaultText : found;
}

namespace {

std::vector<TextConstant>& constants()
{
    static std::vector<TextConstant> all;
    return all;
}

bool listed(const char* name, QString (*text)())
{
    constants().push_back({name, text});
    return true;
}

} // namespace

const std::vector<TextConstant>& textConstants()
{
    return constants();
}

// Each text also enters the list, so that a text added anywhere below is in it.
#define TOVIRA_TEXT(name, text)                                                                                        \
    QString name()                                                                                                     \
    {                                                                                                                  \
        return localized("Module1." #name, QStringLiteral(text));                                                      \
    }                                                                                                                  \
    [[maybe_unused]] const bool name##Listed = listed(#name, &name);
#include "ui/common/Module1Texts.inc"
TOVIRA_TEXT(kMsgDataInvalida, "Data inválida")
TOVIRA_TEXT(kMsgUpdateFalhou, "Não foi possível verificar se há uma nova versão.")
TOVIRA_TEXT(kMsgPrefsNaoGravadas, "Não foi possível gravar as preferências.")
TOVIRA_TEXT(kMsgSomenteLeitura, "O arquivo de dados está aberto somente para leitura: nada foi gravado.")
TOVIRA_TEXT(kTodosArquivos, "Todos os arquivos")
TOVIRA_TEXT(kMsgArquivoIlegivel, "Não foi possível ler o arquivo.")
TOVIRA_TEXT(kMsgArquivoGrande, "O arquivo tem %1 MB, mais que o limite de %2 MB.")
TOVIRA_TEXT(kMsgArquivoCresceu, "O arquivo passou do limite de %1 MB enquanto era lido.")
TOVIRA_TEXT(kMsgValorInvalido, "Valor inválido na linha %1: a linha não foi importada.")
TOVIRA_TEXT(kMsgCamposFaltando, "Faltam campos na linha %1: a linha não foi importada.")
TOVIRA_TEXT(kMsgValorTeclas, "Digite só algarismos, \".\" e \",\".")
TOVIRA_TEXT(kMsgValorNaoNumero, "O valor \"%1\" não é um número.")
TOVIRA_TEXT(kMsgValorAmbiguo,
            "O valor \"%1\" é ambíguo: o ponto ou a vírgula pode separar milhares ou decimais. Escreva %2 ou %3.")
TOVIRA_TEXT(kMsgValorAmbiguoMilhar, "O valor \"%1\" é ambíguo: o ponto ou a vírgula pode separar milhares ou decimais. "
                                    "Escreva %2, ou um valor com no máximo duas casas decimais.")
TOVIRA_TEXT(kMsgValorCasasDecimais, "O valor \"%1\" tem mais de duas casas decimais.")
TOVIRA_TEXT(kMsgValorGrande, "O valor \"%1\" é grande demais para ser guardado com exatidão.")
TOVIRA_TEXT(kMsgDataInvalidaLinha, "Data inválida na linha %1: a linha não foi importada.")
TOVIRA_TEXT(kMsgValorZeroLinha, "Valor zero na linha %1: a linha não foi importada.")
TOVIRA_TEXT(kMsgValorAmbiguoLinha, "Valor ambíguo na linha %1 (\"%2\"): o ponto ou a vírgula pode separar milhares ou "
                                   "decimais. A linha não foi importada.")
TOVIRA_TEXT(kMsgValorCasasDecimaisLinha,
            "Valor com mais de duas casas decimais na linha %1: a linha não foi importada.")
TOVIRA_TEXT(kMsgValorGrandeLinha, "Valor grande demais na linha %1: a linha não foi importada.")
TOVIRA_TEXT(kMsgCreditoVazioLinha, "Crédito vazio na linha %1: as colunas de crédito e de débito devem estar "
                                   "preenchidas (0 na que não se aplica). A linha não foi importada.")
TOVIRA_TEXT(kMsgDebitoVazioLinha, "Débito vazio na linha %1: as colunas de crédito e de débito devem estar preenchidas "
                                  "(0 na que não se aplica). A linha não foi importada.")
TOVIRA_TEXT(kMsgContaInvalidaLinha, "Conta inválida na linha %1: a linha não foi importada.")
TOVIRA_TEXT(kMsgCategoriaInvalidaLinha, "Categoria inválida na linha %1: a linha não foi importada.")
TOVIRA_TEXT(kMsgContatoInvalidoLinha, "Contato inválido na linha %1: a linha não foi importada.")
TOVIRA_TEXT(kMsgLinhasRecusadas, "Linhas recusadas ao todo: %1.")
TOVIRA_TEXT(kMsgImportarOutrasLinhas, "Importar as outras linhas do arquivo (%1)? Com \"Cancela\", nada é importado.")
TOVIRA_TEXT(kMsgNadaImportado, "Nada foi importado.")
TOVIRA_TEXT(kMsgExportacaoFalhou, "Não foi possível gravar o arquivo exportado.")
TOVIRA_TEXT(kMsgNaoEArquivoComum, "\"%1\" não é um arquivo comum (é uma pasta, um dispositivo ou um pipe).")
TOVIRA_TEXT(kMsgArquivoSomenteLeitura,
            "O arquivo de dados não pode ser gravado. Ele será aberto somente para leitura: os movimentos podem ser "
            "consultados, mas nenhuma alteração será gravada.")
TOVIRA_TEXT(kMsgSenhaIlegivel, "A senha gravada no arquivo de dados está vazia ou danificada e não pode ser "
                               "conferida.")
TOVIRA_TEXT(kMsgMovimentoNaoExiste, "O movimento não existe mais.")
TOVIRA_TEXT(kMsgAjudaSemLeitor, "Nenhum programa conseguiu abrir o manual. Ele está em:")
TOVIRA_TEXT(kMsgExtratoIncompleto,
            "O arquivo termina antes do fim do extrato: a última transação pode estar incompleta.")
TOVIRA_TEXT(kMsgContatoNaoRenomeavel, "Este nome é o dos movimentos sem contato e não pode ser renomeado.")
TOVIRA_TEXT(kMsgAgendamentosNaoLancados,
            "Estes agendamentos não foram lançados e continuam na lista de agendamentos:")
TOVIRA_TEXT(kMsgAgendamentoSemConta, "Conta \"%1\", categoria \"%2\", valor %3: a conta não existe mais.")
TOVIRA_TEXT(kMsgAgendamentoSemCategoria,
            "Conta \"%1\", categoria \"%2\", valor %3: a categoria não existe mais.")
TOVIRA_TEXT(kMsgAgendamentoValorZero, "Conta \"%1\", categoria \"%2\", valor %3: o valor não pode ser zero.")
TOVIRA_TEXT(kMsgAgendamentoValorInvalido,
            "Conta \"%1\", categoria \"%2\", valor %3: o valor não é um número que o programa possa ler.")
TOVIRA_TEXT(kMsgAgendamentosNaoLancadosTotal, "Agendamentos não lançados ao todo: %1.")
#undef TOVIRA_TEXT

QStringList monthNames()
{
    return {kmes_janeiro(), kmes_fevereiro(), kmes_marco(),    kmes_abril(),   kmes_maio(),     kmes_junho(),
            kmes_julho(),   kmes_agosto(),    kmes_setembro(), kmes_outubro(), kmes_novembro(), kmes_dezembro()};
}

bool AbreJanela(const QString& message, bool showCancel, const QString& title)
{
    return seams::confirmations().confirm(message, showCancel, title);
}

} // namespace Module1
