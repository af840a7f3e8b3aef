#include "tick_timer.h"

#include <algorithm>

namespace tallimo {

TickTimer::TickTimer(std::function<void()> onTimeout, QObject* parent) : QObject(parent) {
    // A coarse timer may fire up to 5% early or late; the counter is the exam's only clock.
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, std::move(onTimeout));
}

void TickTimer::setPeriod(int milliseconds) {
    milliseconds = std::max(milliseconds, 0);
    if (milliseconds == period_) {
        return;
    }
    period_ = milliseconds;
    if (period_ > 0) {
        timer_.start(period_);
    } else {
        timer_.stop();
    }
}

}  // namespace tallimo
