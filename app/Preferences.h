#pragma once

// The preferences file's twenty lines, read by position: the key text at the
// start of a line is for the human eye and is never looked at.
//
//   1 "editarea =" 0/1     8 "conta_inicio =" name   14 date of the last posting
//   2-4 "cor_r =" ... 0-255  9 "mes_inicio =" month    15-20 ledger column widths
//   5-7 reserved, empty    10-13 height, left, top, width of the main window

#include <QRect>
#include <QString>
#include <QStringList>

struct PreferencesValues
{
    bool prefEditor = true;
    int cor_r = 230;
    int cor_g = 230;
    int cor_b = 230;
    QString contaInicial;
    QString mesInicial;
    int height = 500;
    int left = 10;
    int top = 110;
    int width = 744;
    QString datahoje;
    QStringList columns = QStringList(6, QString());
};

namespace Preferences {

constexpr int LineCount = 20;
// The longest line read: room for the longest name a field takes (32,767
// characters) in UTF-8. A longer line is not one the program wrote.
constexpr qsizetype MaxLineBytes = 128 * 1024;

// The values of a run with no preferences file.
PreferencesValues defaults();

// Reads the lines by position; missing lines read as empty. A width of 0
// brings back the default geometry, all four values of it.
PreferencesValues parse(const QStringList& lines);

// The main window's place and size fitted to `area`, the free area of the
// screen it is to show on: a size that is not positive or larger than the area
// gives the default size (cut to the area), and a place that would leave part
// of the window's top edge, where its title bar is, off the area gives the
// default place (moved into the area).
PreferencesValues fitToScreen(PreferencesValues values, const QRect& area);

// The twenty lines to write.
QStringList format(const PreferencesValues& values);

} // namespace Preferences
