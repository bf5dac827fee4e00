#include "ui/common/Module1.h"

#include <QCoreApplication>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

struct Constant
{
    const char* name;
    const char* text;
    QString (*lookup)();
};

// Written out from the program's table of texts, not generated from the code,
// so that a slip in either shows here.
const Constant constants[] = {
    {"kArquivo", "Arquivo", &Module1::kArquivo},
    {"kSobre", "Sobre", &Module1::kSobre},
    {"kinseremovimento", "Inserir movimento", &Module1::kinseremovimento},
    {"kImportar", "Importar...", &Module1::kImportar},
    {"Kimportaofx", "Importa OFX...", &Module1::Kimportaofx},
    {"kExportar", "Exportar...", &Module1::kExportar},
    {"kEditar", "Editar", &Module1::kEditar},
    {"kDesfazer", "Desfazer", &Module1::kDesfazer},
    {"kCortar", "Cortar", &Module1::kCortar},
    {"kCopiar", "Copiar", &Module1::kCopiar},
    {"kColar", "Colar", &Module1::kColar},
    {"kLimpar", "Limpar", &Module1::kLimpar},
    {"kSelecionarTudo", "Selecionar Tudo", &Module1::kSelecionarTudo},
    {"kPreferencias", "Preferências...", &Module1::kPreferencias},
    {"kVisualizar", "Visualizar", &Module1::kVisualizar},
    {"kContas", "Contas", &Module1::kContas},
    {"kCategorias", "Categorias", &Module1::kCategorias},
    {"kContatos", "Contatos", &Module1::kContatos},
    {"kGraficos", "Gráficos", &Module1::kGraficos},
    {"kAgendamento", "Agendamento", &Module1::kAgendamento},
    {"kAjuda", "Ajuda", &Module1::kAjuda},
    {"kMSGVerificaUpdate", "Verificar atualizações...", &Module1::kMSGVerificaUpdate},
    {"kMovimento", "Movimento", &Module1::kMovimento},
    {"kPrefs", "Preferências", &Module1::kPrefs},
    {"kGeral", "Geral", &Module1::kGeral},
    {"kImporta", "Importa", &Module1::kImporta},
    {"Kimportaofx2", "Importa OFX", &Module1::Kimportaofx2},
    {"kConta", "Conta:", &Module1::kConta},
    {"kCategoria", "Categoria:", &Module1::kCategoria},
    {"kContato", "Contato:", &Module1::kContato},
    {"kData", "Data:", &Module1::kData},
    {"kValor", "Valor:", &Module1::kValor},
    {"kTipo", "Tipo:", &Module1::kTipo},
    {"kComentarios", "Comentários:", &Module1::kComentarios},
    {"kVerificado", "Verificado", &Module1::kVerificado},
    {"kMes", "Mês", &Module1::kMes},
    {"kMes2", "Mês:", &Module1::kMes2},
    {"kAno", "Ano", &Module1::kAno},
    {"kRepete", "Repetir:", &Module1::kRepete},
    {"kInsere", "Insere", &Module1::kInsere},
    {"kApaga", "Apaga", &Module1::kApaga},
    {"kFecha", "Fecha", &Module1::kFecha},
    {"kCancela", "Cancela", &Module1::kCancela},
    {"kinsereconta", "Inserir conta", &Module1::kinsereconta},
    {"kinserecategoria", "Inserir categoria", &Module1::kinserecategoria},
    {"kTipoArquivo", "Tipo de Arquivo: ", &Module1::kTipoArquivo},
    {"kTexto", "Texto", &Module1::kTexto},
    {"kTcoresfundo", "Cores de fundo alternadas", &Module1::kTcoresfundo},
    {"kTedicao", "Exibe Área de Edição", &Module1::kTedicao},
    {"kSenha", "Senha", &Module1::kSenha},
    {"kVerifica", "Verifica", &Module1::kVerifica},
    {"kLigasenha", "Habilita senha", &Module1::kLigasenha},
    {"kMsgContaInicial", "Selecione a conta inicial", &Module1::kMsgContaInicial},
    {"kMsgMesInicial", "Selecione o mês inicial", &Module1::kMsgMesInicial},
    {"kMsgSenha", "A senha será requisitada ao iniciar o programa", &Module1::kMsgSenha},
    {"kMsgDigiteSenha", "Digite a senha de acesso no campo abaixo", &Module1::kMsgDigiteSenha},
    {"kTXAtualizado", "O Tovira foi atualizado. Por favor Ok e baixe a nova versão.", &Module1::kTXAtualizado},
    {"kCategoriat", "Categoria", &Module1::kCategoriat},
    {"kContato2", "Contato", &Module1::kContato2},
    {"kDatat", "Data", &Module1::kDatat},
    {"kContat", "Conta", &Module1::kContat},
    {"kValort", "Valor", &Module1::kValort},
    {"kTipot", "Tipo", &Module1::kTipot},
    {"kRepetet", "Repetir", &Module1::kRepetet},
    {"kAdiciona", "Inserir...", &Module1::kAdiciona},
    {"ktodos", "Todas", &Module1::ktodos},
    {"kTodos2", "Todos", &Module1::kTodos2},
    {"katual", "Atual", &Module1::katual},
    {"kmes_janeiro", "Janeiro", &Module1::kmes_janeiro},
    {"kmes_fevereiro", "Fevereiro", &Module1::kmes_fevereiro},
    {"kmes_marco", "Março", &Module1::kmes_marco},
    {"kmes_abril", "Abril", &Module1::kmes_abril},
    {"kmes_maio", "Maio", &Module1::kmes_maio},
    {"kmes_junho", "Junho", &Module1::kmes_junho},
    {"kmes_julho", "Julho", &Module1::kmes_julho},
    {"kmes_agosto", "Agosto", &Module1::kmes_agosto},
    {"kmes_setembro", "Setembro", &Module1::kmes_setembro},
    {"kmes_outubro", "Outubro", &Module1::kmes_outubro},
    {"kmes_novembro", "Novembro", &Module1::kmes_novembro},
    {"kmes_dezembro", "Dezembro", &Module1::kmes_dezembro},
    {"kSim", "Sim", &Module1::kSim},
    {"kNao", "Não", &Module1::kNao},
    {"kNao2", "Nao", &Module1::kNao2},
    {"kCredito", "Crédito", &Module1::kCredito},
    {"kDebito", "Débito", &Module1::kDebito},
    {"kCredito2", "Crédito", &Module1::kCredito2},
    {"kDebito2", "Debito", &Module1::kDebito2},
    {"kMensal", "Mensalmente", &Module1::kMensal},
    {"kAnualmente", "Anualmente", &Module1::kAnualmente},
    {"kNaoRepete", "Não repetir", &Module1::kNaoRepete},
    {"kMsgPref", "A pasta de preferências não existe. Contacte o suporte.", &Module1::kMsgPref},
    {"kMsgDB", "Por favor copie a pasta do Tovira para o seu HD. Caso já tenha feito entre em contato com o suporte.",
     &Module1::kMsgDB},
    {"kMsgSelecionaConta", "Selecione uma conta", &Module1::kMsgSelecionaConta},
    {"kMsgSelecionaMovimento", "Selecione um movimento", &Module1::kMsgSelecionaMovimento},
    {"kMsgSelecioneCategoria", "Selecione uma categoria", &Module1::kMsgSelecioneCategoria},
    {"kMsgSelecioneContato", "Selecione um contato", &Module1::kMsgSelecioneContato},
    {"kMsgValorZero", "Valor não pode ser zero", &Module1::kMsgValorZero},
    {"kMsgConfirmaApaga", "Confirma Apagar?", &Module1::kMsgConfirmaApaga},
    {"kMsgConfirmaAlteracao", "Confirma Alteração?", &Module1::kMsgConfirmaAlteracao},
    {"kMsgApagaTudo2", "Todos os movimentos da Conta serão apagados! Confirma?", &Module1::kMsgApagaTudo2},
    {"kMsgApagaTudo", "Todos os movimentos da Categoria serão apagados! Confirma?", &Module1::kMsgApagaTudo},
    {"kMsgAviso", "Aviso", &Module1::kMsgAviso},
    {"kMsgContaExiste", "Conta já existe!", &Module1::kMsgContaExiste},
    {"kMsgCategoriaExiste", "Categoria já existe!", &Module1::kMsgCategoriaExiste},
    {"kMsgContatoExiste", "Contato Existente!", &Module1::kMsgContatoExiste},
    {"kMsgContaInvalida", "Conta Inválida", &Module1::kMsgContaInvalida},
    {"kMsgCategoriaInvalida", "Categoria Inválida", &Module1::kMsgCategoriaInvalida},
    {"kMsgNomeVazio", "Nome não pode estar vazio", &Module1::kMsgNomeVazio},
    {"kMsgSenhaNaoConfere", "Senha não confere", &Module1::kMsgSenhaNaoConfere},
    {"kSenhaInvalida", "Senha inválida", &Module1::kSenhaInvalida},
    {"kMsgAjudaFaltando", "Arquivo de ajuda ausente", &Module1::kMsgAjudaFaltando},
    {"kNaotemNovaVersao", "O Tovira está atualizado!", &Module1::kNaotemNovaVersao},
    {"kMsgAgendamentoInserido", "Agendamento Inserido!", &Module1::kMsgAgendamentoInserido},
    {"sMsgTotalAgendamentosInseridos", "Total de Agendamentos Inseridos", &Module1::sMsgTotalAgendamentosInseridos},
    {"kMsgTotalImportado", "Total Importado", &Module1::kMsgTotalImportado},
    {"kMsgTextoTab", "Os campos devem ser separados por TAB", &Module1::kMsgTextoTab},
    {"kMsgFormatoIncompativel", "Formato Incompatível.", &Module1::kMsgFormatoIncompativel},
    {"kMSGNadaaimportar", "Nada para importar...", &Module1::kMSGNadaaimportar},
    {"kConfirmaImport", "Confirma importação de", &Module1::kConfirmaImport},
    {"kMovimentos", "Movimentos", &Module1::kMovimentos},
    {"kCategoriasVazias", "Não existem categorias, por favor cadastre pelo menos uma categoria.",
     &Module1::kCategoriasVazias},
    {"kContasVazias", "Não existem contas, por favor cadastre pelo menos uma conta.", &Module1::kContasVazias},
    {"idioma2", "port", &Module1::idioma2},
};

// Answers only the ids it was given, asked without a context, like a
// translation file made from ids would.
class FakeTranslator : public QTranslator
{
  public:
    explicit FakeTranslator(QHash<QString, QString> texts) : texts_(std::move(texts))
    {
        QCoreApplication::installTranslator(this);
    }
    ~FakeTranslator() override { QCoreApplication::removeTranslator(this); }

    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* = nullptr, int = -1) const override
    {
        return context && *context ? QString() : texts_.value(QString::fromUtf8(sourceText));
    }

  private:
    QHash<QString, QString> texts_;
};

} // namespace

TEST(Module1Texts, everyConstant_withoutTranslations_givesItsDefaultText)
{
    EXPECT_EQ(std::size(constants), 123u);
    for (const Constant& c : constants)
        EXPECT_EQ(c.lookup(), QString::fromUtf8(c.text)) << c.name;
}

TEST(Module1Texts, everyConstant_isLookedUpByTheIdModule1DotItsExactName)
{
    QHash<QString, QString> texts;
    for (const Constant& c : constants)
        texts.insert(QStringLiteral("Module1.") + QLatin1String(c.name), QStringLiteral("T:") + c.name);
    FakeTranslator translator(texts);
    for (const Constant& c : constants)
        EXPECT_EQ(c.lookup(), QStringLiteral("T:") + QLatin1String(c.name)) << c.name;
}

TEST(Module1Texts, installedTranslation_replacesOnlyItsKeys_andIsNotCached)
{
    {
        FakeTranslator translator({{"Module1.kInsere", "Insert"}, {"Module1.idioma2", "eng"}});
        EXPECT_EQ(Module1::kInsere(), QStringLiteral("Insert"));
        EXPECT_EQ(Module1::idioma2(), QStringLiteral("eng"));
        EXPECT_EQ(Module1::kApaga(), QStringLiteral("Apaga"));
    }
    // Removing the translation brings the default back at the next call.
    EXPECT_EQ(Module1::kInsere(), QStringLiteral("Insere"));
    EXPECT_EQ(Module1::idioma2(), QStringLiteral("port"));
}
