#pragma once

#include <QString>
#include <QWidget>

namespace tallimo {

// Gives the drill's controls the accessible interfaces that a screen reader needs on top of Qt's:
// the check box's Toggle and the slider's value writes act as the learner's click and move, and
// the read-only boxes refuse accessible writes. Call once a QApplication exists and before any
// control's interface is asked for; later calls do nothing.
void installAccessibility();

// Says a text to a screen reader without taking the focus: each text appears as a new, invisible
// notification, which screen readers speak as it shows. Labels and boxes that change elsewhere in
// the window are spoken only when they hold the focus, which the drill's texts never do.
class Announcer {
  public:
    explicit Announcer(QWidget* window) : window_(window) {}

    // An empty text withdraws the last notification.
    void announce(const QString& text);

  private:
    QWidget* window_;
    QWidget* shown_ = nullptr;  // owned by the window
};

}  // namespace tallimo
