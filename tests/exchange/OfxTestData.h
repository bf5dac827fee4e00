#pragma once

// The small OFX statements written for the tests (also the fuzz target's seeds).

#include <QFileInfo>
#include <QString>

inline QString ofxTestFile(const QString& name)
{
    return QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/data/ofx/") + name;
}
