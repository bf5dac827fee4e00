#pragma once

// Qt's strings as Google Test prints them in a failure: as text, not bytes.

#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
