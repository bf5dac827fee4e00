#pragma once

// The program's plain message box: a title, the text and an OK button,
// laid out as the framework's message box is, with the text shown whole
// (MessageText) and the box no taller than the screen's free height.

#include <QDialog>

class MessageArea;

class MessageDialog final : public QDialog
{
  public:
    MessageDialog(const QString& title, const QString& text, QWidget* parent = nullptr);

  private:
    // Sizes the box to its text: as wide as the text's longest line up to a
    // limit, and as tall as the text there, up to the screen's free height.
    void fitToText();

    MessageArea* area_;
};
