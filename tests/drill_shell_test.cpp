// The drill on the real widgets: the handlers bound by the layout, driven by QTest input.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "main_window.h"
#include "values.h"

namespace tallimo {
namespace {

class DrillWindow : public testing::Test {
  protected:
    void SetUp() override {
        window_ = std::make_unique<MainWindow>();
        window_->raiseCreated();
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }

    QString shown(ControlId id) const {
        if (auto* box = qobject_cast<QLineEdit*>(window_->control(id))) {
            return box->text();
        }
        if (auto* label = qobject_cast<QLabel*>(window_->control(id))) {
            return label->text();
        }
        return static_cast<QPushButton*>(window_->control(id))->text();
    }

    bool isShown(ControlId id) const { return window_->control(id)->isVisible(); }

    void click(ControlId id) { QTest::mouseClick(window_->control(id), Qt::LeftButton); }

    // The sum of the shown boxes, in the form the answer box uses.
    QString sumOfShownBoxes() const {
        double sum = 0;
        for (ControlId box : numberBoxes) {
            sum += shown(box).toDouble();
        }
        return QString::fromStdString(numberToText(sum));
    }

    std::unique_ptr<MainWindow> window_;
};

TEST_F(DrillWindow, OpensInTheRestingState) {
    EXPECT_EQ(shown(askAnswerButton), u"出题");
    EXPECT_EQ(shown(numberBox1), u"加");
    EXPECT_EQ(shown(numberBox2), u"油");
    for (int box = 3; box <= 10; ++box) {
        EXPECT_FALSE(isShown(numberBoxes[box - 1])) << box;
    }
    EXPECT_TRUE(isShown(levelMark2));
    EXPECT_FALSE(isShown(levelMark3));
    EXPECT_EQ(shown(rangeLowBox), u"1");
    EXPECT_EQ(shown(rangeHighBox), u"10");
    EXPECT_EQ(shown(elapsedLabel), u"0");
    EXPECT_TRUE(isShown(modeHint));
    EXPECT_FALSE(isShown(answerTimeBox));
}

TEST_F(DrillWindow, ManualQuestionThenItsSum) {
    click(askAnswerButton);
    EXPECT_EQ(shown(askAnswerButton), u"答案");
    for (ControlId box : {numberBox1, numberBox2}) {
        bool isNumber = false;
        const int value = shown(box).toInt(&isNumber);
        EXPECT_TRUE(isNumber && value >= 1 && value <= 10) << shown(box).toStdString();
    }
    EXPECT_EQ(shown(answerBox), u"");

    click(askAnswerButton);
    EXPECT_EQ(shown(askAnswerButton), u"出题");
    EXPECT_EQ(shown(answerBox), sumOfShownBoxes());
}

TEST_F(DrillWindow, ExamCycleWithAnAnswerTimeOfOneSecond) {
    click(examModeCheck);
    ASSERT_TRUE(isShown(answerTimeBox));
    EXPECT_FALSE(window_->control(difficultySlider)->isEnabled());
    static_cast<QLineEdit*>(window_->control(answerTimeBox))->setText(u"1"_qs);

    click(askAnswerButton);
    EXPECT_FALSE(window_->control(askAnswerButton)->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shown(answerBox).isEmpty(); }, 3000));
    EXPECT_EQ(shown(answerBox), sumOfShownBoxes());
    EXPECT_EQ(shown(elapsedLabel), u"-2");

    // Three ticks later the next question replaces the answer.
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown(answerBox).isEmpty(); }, 5000));
    EXPECT_EQ(shown(elapsedLabel), u"0");
    EXPECT_EQ(shown(askAnswerButton), u"答案");

    click(examModeCheck);
    EXPECT_TRUE(window_->control(askAnswerButton)->isEnabled());
    EXPECT_EQ(shown(askAnswerButton), u"出题");
}

}  // namespace
}  // namespace tallimo
