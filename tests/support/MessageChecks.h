#pragma once

// Checks shared by the tests of the program's message boxes and of the
// confirmation dialog, which show their text alike: a label "mensagem" in a
// scroll area "areaMensagem", with the buttons below.

#include <QColor>

class QImage;
class QWidget;

namespace testsupport {

// How dark the pixels of `image` are, summed, against the background colour.
qint64 ink(const QImage& image, QColor background);

// The share of the message's ink that the window's text area shows: what
// the window paints there against the same text drawn whole, a line per
// paragraph, with nothing to cut it. A word or a line cut off shows as ink missing.
double shownShare(QWidget& window);

// The text area holds the label's whole text, lies inside the window, and
// the buttons shown stand below it, inside the window.
void expectTextAndButtonsInside(QWidget& window);

} // namespace testsupport
