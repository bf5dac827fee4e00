#pragma once

// The text of a message as the program's boxes show it: every word whole,
// whatever its length, and a box that never grows past the screen.

#include <QLabel>
#include <QScrollArea>

// Plain text wrapped at blanks and, where a word is wider than a line (a
// file name, a long amount, a name with no blank), inside the word: QLabel's
// own word wrap lets such a word run past the edge and cuts it off.
class MessageText final : public QLabel
{
  public:
    explicit MessageText(QWidget* parent = nullptr);

    int heightForWidth(int width) const override;
    // The width of the widest line as written, unwrapped.
    int naturalWidth() const;

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    // Lays the text out in `width`, draws it when given a painter, and returns its height.
    int layOut(int width, QPainter* painter) const;
};

// A MessageText in a frameless scroll area that takes the text's height up
// to a limit; a taller text scrolls, with a scroll bar only then.
class MessageArea final : public QScrollArea
{
  public:
    explicit MessageArea(QWidget* parent = nullptr);

    MessageText* text() const { return text_; }

    // Makes the area `width` wide and as tall as the text needs there, but no
    // less than `lowest` and no more than `tallest`; a text that needs more
    // scrolls, shown from its top, its lines narrowed by the scroll bar (or,
    // with `widenForBar`, the area widened by it). Returns the area's height.
    int fitText(int width, int lowest, int tallest, bool widenForBar = false);

  private:
    MessageText* text_;
};
