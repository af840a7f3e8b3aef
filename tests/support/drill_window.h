#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "controls.h"
#include "window_model.h"

namespace tallimo {

// The window as the learner finds it: built, opened, with the drill's handlers bound. The writes
// of start-up are cleared so that a test sees only its own.
class DrillWindow : public ::testing::Test {
  protected:
    DrillWindow() {
        model.open();
        model.clearWrites();
    }

    // The numbers (1 to 10) of the shown number boxes.
    std::vector<std::int32_t> shownBoxes() const {
        std::vector<std::int32_t> shown;
        for (std::int32_t box = 1; box <= 10; ++box) {
            if (model.shown(numberBoxes[box - 1])) {
                shown.push_back(box);
            }
        }
        return shown;
    }

    const std::string& boxText(std::int32_t box) const { return model.text(numberBoxes[box - 1]); }

    // One second of the event loop; with the timer running, exactly one tick.
    void tick() { model.advance(1000); }

    WindowModel model;
};

// The seed that the generator's last seeding used, worked out from every clock reading of the
// process: each seeding adds an offset that moves on by the low byte of its seed plus 100. Valid
// while every seeding in the process read the model's clock.
inline std::uint32_t lastSeed() {
    std::uint32_t offset = 0;
    std::uint32_t seed = 0;
    for (const std::uint32_t reading : WindowModel::clockReadings()) {
        seed = reading + offset;
        offset += (seed & 0xffu) + 100u;
    }
    return seed;
}

}  // namespace tallimo
