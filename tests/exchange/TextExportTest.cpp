// The export file written from a small ledger, byte for byte, and on a full disk.

#include "exchange/TextExport.h"
#include "TestSupport.h"
#include "exchange/wImporta.h"
#include "platform/Database.h"
#include "ui/common/Module1.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

// A device that takes nothing, as a full disk would.
class FullDisk : public QIODevice
{
  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64) override { return -1; }
};

} // namespace

TEST(TextExport, smallLedger_byteForByte_andAFullDisk)
{
    const ExportTexts texts{wImporta::ownCaptions() << Module1::kComentarios(), "Não", "Sim", "Nao"};
    auto db = testsupport::newDatabase();
    testsupport::exec(*db, "INSERT INTO Movimento (id, conta_nome, conta, contato, data, entrada, saida, conciliado, "
                           "comentarios) VALUES "
                           "(3, 'Banco', 'Casa', 'Loja', '2026-03-05', NULL, 12.5, 'Não', 'a\tb\r\nc'),"
                           "(1, 'Banco', 'Salário', '  -  ', '1999-12-31', 1234.5, NULL, 'Sim', NULL),"
                           "(2, 'Cartão', 'Casa', 'Loja', NULL, -52.1, NULL, '', ''),"
                           "(4, NULL, 'Casa', 'Loja', '2087-01-02', 1e9, NULL, NULL, 'x')");
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ASSERT_EQ(WriteExport(*db, out, texts), ExportResult::Written);
    EXPECT_EQ(QString::fromUtf8(out.data()),
              "Conta:\tCategoria:\tContato:\tData:\tCrédito\tDebito\tVerificado\tComentários:\n"
              "Banco\tSalário\t  -  \t31/12/1999\t1,234.50\t0.00\tSim\t\t\n"
              "Cartão\tCasa\tLoja\t\t-52.10\t0.00\tSim\t\t\n"
              "Banco\tCasa\tLoja\t05/03/26\t0.00\t12.50\tNao\ta b  c\t\n"
              "\tCasa\tLoja\t02/01/87\t1,000,000,000.00\t0.00\tSim\tx\t\n");

    FullDisk full;
    full.open(QIODevice::WriteOnly);
    EXPECT_EQ(WriteExport(*db, full, texts), ExportResult::WriteFailed);
}
