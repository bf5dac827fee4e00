#pragma once

// The small files of the exchange tests, in data/text and data/ofx (they are
// also the fuzz targets' seeds).

#include <QFileInfo>
#include <QString>

inline QString textFile(const QString& name)
{
    return QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/data/text/") + name;
}

inline QString ofxTestFile(const QString& name)
{
    return QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/data/ofx/") + name;
}
