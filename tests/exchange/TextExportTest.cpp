// The export file written from a small ledger, byte for byte, and its failures.

#include "exchange/TextExport.h"
#include "TestSupport.h"
#include "platform/Database.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

ExportTexts texts()
{
    ExportTexts t;
    t.captions =
        QStringList{"Conta:", "Categoria:", "Contato:", "Data:", "Crédito", "Debito", "Verificado", "Comentários:"};
    t.storedNo = "Não";
    t.yes = "Sim";
    t.no = "Nao";
    return t;
}

// A device that takes nothing, as a full disk would.
class FullDisk : public QIODevice
{
  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64) override { return -1; }
};

} // namespace

TEST(TextExport, smallLedger_byteForByte)
{
    auto db = testsupport::newDatabase();
    testsupport::exec(*db, "INSERT INTO Movimento (id, conta_nome, conta, contato, data, entrada, saida, conciliado, "
                           "comentarios) VALUES "
                           "(3, 'Banco', 'Casa', 'Loja', '2026-03-05', NULL, 12.5, 'Não', 'a\tb\r\nc'),"
                           "(1, 'Banco', 'Salário', '  -  ', '1999-12-31', 1234.5, NULL, 'Sim', NULL),"
                           "(2, 'Cartão', 'Casa', 'Loja', NULL, -52.1, NULL, '', ''),"
                           "(4, NULL, 'Casa', 'Loja', '2087-01-02', 1e9, NULL, NULL, 'x')");
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ASSERT_EQ(WriteExport(*db, out, texts()), ExportResult::Written);
    EXPECT_EQ(QString::fromUtf8(out.data()),
              "Conta:\tCategoria:\tContato:\tData:\tCrédito\tDebito\tVerificado\tComentários:\n"
              "Banco\tSalário\t  -  \t31/12/1999\t1,234.50\t0.00\tSim\t\t\n"
              "Cartão\tCasa\tLoja\t\t-52.10\t0.00\tSim\t\t\n"
              "Banco\tCasa\tLoja\t05/03/26\t0.00\t12.50\tNao\ta b  c\t\n"
              "\tCasa\tLoja\t02/01/87\t1,000,000,000.00\t0.00\tSim\tx\t\n");
}

TEST(TextExport, emptyLedger_header_fullDisk_and_unreadableLedger)
{
    auto db = testsupport::newDatabase();
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ASSERT_EQ(WriteExport(*db, out, texts()), ExportResult::Written);
    EXPECT_EQ(out.data(), texts().captions.join('\t').toUtf8() + '\n');

    FullDisk full;
    full.open(QIODevice::WriteOnly);
    EXPECT_EQ(WriteExport(*db, full, texts()), ExportResult::WriteFailed);

    testsupport::exec(*db, "DROP TABLE Movimento");
    EXPECT_EQ(WriteExport(*db, out, texts()), ExportResult::QueryFailed);
    EXPECT_TRUE(db->Error());
}
