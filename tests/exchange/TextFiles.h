#pragma once

// The small text files of the exchange tests (they are also the fuzz
// target's seeds) and the captions of the program's own export.

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QStringList>

inline QString textFile(const QString& name)
{
    return QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("data/text/") + name);
}

inline QStringList ownCaptions()
{
    return {"Conta:", "Categoria:", "Contato:", "Data:", "Crédito", "Debito", "Verificado"};
}
