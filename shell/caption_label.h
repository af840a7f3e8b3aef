#pragma once

#include <QLabel>

namespace tallimo {

// A label that the learner reads but never interacts with. A one-line caption whose face's line is
// taller than the label (a 21 px digit in a 16 px level mark) is centred by what it draws, not by
// its line: the line's empty descent would otherwise push the glyph out at the top, though the
// glyph itself fits.
class CaptionLabel : public QLabel {
  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tallimo
