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

#define TOVIRA_TEXT(name, text)                                                                                        \
    QString name()                                                                                                     \
    {                                                                                                                  \
        return localized("Module1." #name, QStringLiteral(text));                                                      \
    }
#include "ui/common/Module1Texts.inc"
TOVIRA_TEXT(kMsgDataInvalida, "Data inválida")
TOVIRA_TEXT(kMsgUpdateFalhou, "Não foi possível verificar se há uma nova versão.")
TOVIRA_TEXT(kMsgPrefsNaoGravadas, "Não foi possível gravar as preferências.")
TOVIRA_TEXT(kMsgSomenteLeitura, "O arquivo de dados está aberto somente para leitura: nada foi gravado.")
TOVIRA_TEXT(kTodosArquivos, "Todos os arquivos")
TOVIRA_TEXT(kMsgArquivoIlegivel, "Não foi possível ler o arquivo.")
TOVIRA_TEXT(kMsgValorInvalido, "Valor inválido na linha %1: a linha não foi importada.")
TOVIRA_TEXT(kMsgCamposFaltando, "Faltam campos na linha %1: a linha não foi importada.")
TOVIRA_TEXT(kMsgExportacaoFalhou, "Não foi possível gravar o arquivo exportado.")
TOVIRA_TEXT(kMsgArquivoSomenteLeitura,
            "O arquivo de dados não pode ser gravado. Ele será aberto somente para leitura: os movimentos podem ser "
            "consultados, mas nenhuma alteração será gravada.")
TOVIRA_TEXT(kMsgSenhaIlegivel, "A senha gravada no arquivo de dados está vazia ou danificada e não pode ser "
                               "conferida.")
TOVIRA_TEXT(kMsgMovimentoNaoExiste, "O movimento não existe mais.")
TOVIRA_TEXT(kMsgAjudaSemLeitor, "Nenhum programa conseguiu abrir o manual. Ele está em:")
TOVIRA_TEXT(kMsgContatoNaoRenomeavel, "Este nome é o dos movimentos sem contato e não pode ser renomeado.")
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
