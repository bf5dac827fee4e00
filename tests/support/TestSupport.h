#pragma once

// Helpers shared by the tests.

#include <QImage>
#include <QString>

class QWidget;
class SQLDatabase;

namespace testsupport {

// A path for a new file in a fresh temporary folder that lives as long as the test executable.
QString tempPath(const QString& name);

// Runs SQL through the sqlite3 shell semantics of our own connection; fails the test on error.
void exec(SQLDatabase& db, const QString& sql);

// Grabs the widget (shown offscreen), saves it as <name>.png in the build
// folder's screenshots directory for review, and returns the image.
QImage screenshot(QWidget& widget, const QString& name);

} // namespace testsupport
