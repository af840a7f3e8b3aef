#pragma once

#include <QGroupBox>
#include <QMouseEvent>

namespace tallimo {

// A group box that lets a press through to the window, so the window can be dragged by it.
class GroupFrame : public QGroupBox {
  public:
    using QGroupBox::QGroupBox;

  protected:
    void mousePressEvent(QMouseEvent* event) override { event->ignore(); }
};

}  // namespace tallimo
