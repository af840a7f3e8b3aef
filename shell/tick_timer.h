#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

namespace tallimo {

// A periodic timer driven by the period the logic writes. Writing the period it already has leaves
// the schedule alone, so an exam keeps one unbroken one-second rhythm across its writes of 1000.
class TickTimer : public QObject {
  public:
    TickTimer(std::function<void()> onTimeout, QObject* parent);

    void setPeriod(int milliseconds);
    int period() const { return period_; }

  private:
    QTimer timer_;
    int period_ = 0;
};

}  // namespace tallimo
