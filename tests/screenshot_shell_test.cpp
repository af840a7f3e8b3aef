// What the learner sees of numbers that do not fit, and of digits that change in place: the real
// widgets rendered offscreen in the window's own fonts.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <cstring>
#include <memory>

#include "edit_box.h"
#include "main_window.h"

namespace tallimo {
namespace {

class Look : public testing::Test {
  protected:
    void SetUp() override {
        window_ = std::make_unique<MainWindow>([](ControlId) {});
        window_->raiseCreated();
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }

    EditBox* box(ControlId id) { return static_cast<EditBox*>(window_->control(id)); }

    // The columns of a box's inside, border excluded, that hold some of its text colour.
    static std::pair<int, int> inkColumns(QWidget* widget, QColor colour) {
        const QImage image = widget->grab().toImage();
        int first = image.width();
        int last = -1;
        for (int y = 2; y < image.height() - 2; ++y) {
            for (int x = 2; x < image.width() - 2; ++x) {
                if (image.pixelColor(x, y) == colour) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
            }
        }
        return {first, last};
    }

    std::unique_ptr<MainWindow> window_;
};

// A clock that ticks in place: every digit of every font that shows changing numbers is as wide as
// the others, so a right-aligned counter keeps its digits where they stand.
TEST_F(Look, DigitsHaveOneWidthInEveryFontThatShowsNumbers) {
    for (const ControlId id :
         {elapsedLabel, numberBox1, answerBox, rangeLowBox, answerTimeBox, levelMark10}) {
        const QFontMetricsF metrics(window_->control(id)->font());
        const qreal zero = metrics.horizontalAdvance(u'0');
        for (char16_t digit = u'1'; digit <= u'9'; ++digit) {
            EXPECT_EQ(metrics.horizontalAdvance(digit), zero) << id << " digit " << char(digit);
        }
    }
}

// Two-digit numbers and their negatives stand whole in the 93 px boxes, and so does a negative sum
// in the 133 px answer box. (A three-digit sum fills the answer box from edge to edge; the
// screenshot test measures what its last digit loses.)
TEST_F(Look, EveryNumberTheDrillShowsFitsItsBox) {
    const struct {
        ControlId box;
        const char* text;
    } cases[] = {{numberBox1, "88"}, {numberBox6, "-9"}, {answerBox, "-90"}};
    for (const auto& [id, text] : cases) {
        writeProperty(mainWindow, id, PropertyKind::text, text);
        box(id)->repaint();
        const QRect inside = box(id)->contentsRect();
        for (int index = 0; index < static_cast<int>(std::strlen(text)); ++index) {
            EXPECT_TRUE(inside.contains(box(id)->characterRect(index))) << text << " " << index;
        }
    }
}

// A sum too long for the answer box (the drill's sums have at most three characters; the 13-digit
// form is what a far larger sum would look like) shows its beginning, cut at the right edge. The
// learner can move the caret through it, and a screen reader reads it whole.
TEST_F(Look, ALongAnswerShowsItsBeginning) {
    const char* longAnswer = "1.234567890123e+013";
    writeProperty(mainWindow, answerBox, PropertyKind::text, longAnswer);
    EditBox* answer = box(answerBox);
    answer->repaint();
    EXPECT_EQ(answer->cursorPosition(), 0);
    const QRect inside = answer->contentsRect();
    EXPECT_TRUE(inside.contains(answer->characterRect(0))) << "the first digit is shown whole";
    EXPECT_LE(answer->characterRect(0).left() - inside.left(), 4) << "from the left edge on";
    const int last = static_cast<int>(std::strlen(longAnswer)) - 1;
    EXPECT_FALSE(inside.intersects(answer->characterRect(last))) << "the end is not shown";
    const auto [first, lastInk] = inkColumns(answer, QColor(255, 0, 0));
    EXPECT_GE(first, inside.left());
    EXPECT_LE(first, answer->characterRect(0).right()) << "ink from the first digit on";
    EXPECT_GE(lastInk, answer->width() - 6) << "the text runs on past the right edge";

    answer->setFocus();
    QTest::keyClick(answer, Qt::Key_End);
    answer->repaint();
    EXPECT_TRUE(inside.intersects(answer->characterRect(last))) << "the caret brings the end in";
}

}  // namespace
}  // namespace tallimo
