#pragma once

#include <QLineEdit>

#include "layout.h"

namespace tallimo {

// A one-line box with the drill's input rules: read-only boxes can be selected and copied but not
// changed by the learner; digit boxes drop any typed printable character other than 0-9 and '-',
// while pastes go in unfiltered; both limits count GBK bytes, not characters.
class EditBox : public QLineEdit {
  public:
    EditBox(const ControlLayout& layout, QWidget* parent);

    // Where the character at index stands in the box, as laid out and scrolled now; empty when
    // there is no such character.
    QRect characterRect(int index);
    // The index of the character under point, or -1.
    int characterAt(QPoint point);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

  private:
    int middleOf(int index);

    InputRule input_;
};

}  // namespace tallimo
