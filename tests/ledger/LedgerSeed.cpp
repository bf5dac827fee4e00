#include "LedgerSeed.h"

#include "app/Schema.h"
#include "platform/Database.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace ledgerseed {

void seed(SQLDatabase& db)
{
    for (const QString& name : accounts)
        ASSERT_TRUE(db.SQLExecute("INSERT INTO Contas (nome) VALUES (?)", {name}));
    for (const char* name : {"Comida", "Salário", "Lazer"})
        ASSERT_TRUE(db.SQLExecute("INSERT INTO Categorias (descricao) VALUES (?)", {QString(name)}));
    const QStringList categories{"Comida", "Salário", "Lazer", "Comida"};
    for (int i = 0; i < 60; ++i) {
        const QString date = QDate(2024, 1, 3).addDays(i * 19).toString("yyyy-MM-dd");
        const double amount = i == 4 ? 1200.5 : 10.25 * (i + 1);
        QVariant credit = i % 4 == 0 ? QVariant(amount) : QVariant();
        QVariant debit = i % 4 == 0 ? QVariant() : QVariant(amount);
        if (i == 7)
            credit = debit = QVariant();
        ASSERT_TRUE(
            db.SQLExecute("INSERT INTO Movimento (conta_nome, conta, contato, data, entrada, saida, "
                          "conciliado, comentarios) VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                          {accounts.at(i % 3), categories.at(i % 4), i % 2 ? QString("Ana") : QString("  -  "), date,
                           credit, debit, i % 5 == 0 ? QString("Não") : QString("Sim"), QString("c%1").arg(i)}))
            << db.ErrorMessage().toStdString();
    }
}

Expected expected(SQLDatabase& db, const QString& account, int month, int year)
{
    Expected out;
    auto rs = db.SQLSelect("SELECT id, conta_nome, data, entrada, saida FROM Movimento");
    EXPECT_TRUE(rs);
    struct Row
    {
        QString date;
        qint64 id;
    };
    QList<Row> rows;
    for (; rs && !rs->Eof(); rs->MoveNext()) {
        const QDate d = rs->IdxField(3).DateValue();
        if (account != "Todas" && rs->IdxField(2).StringValue() != account)
            continue;
        if ((month && d.month() != month) || (year && d.year() != year))
            continue;
        rows.append({rs->IdxField(3).StringValue(), rs->IdxField(1).IntegerValue()});
        out.total += rs->IdxField(4).DoubleValue() - rs->IdxField(5).DoubleValue();
    }
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.date < b.date; });
    for (const Row& r : rows)
        out.ids << QString::number(r.id);
    return out;
}

} // namespace ledgerseed
