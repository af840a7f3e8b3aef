// What a screen reader finds on the real widgets and what its gestures do: the interfaces that
// Qt's accessibility bridge hands to AT-SPI, driven directly, offscreen.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <memory>
#include <vector>

#include "main_window.h"

namespace tallimo {
namespace {

class Accessibility : public testing::Test {
  protected:
    void SetUp() override {
        window_ = std::make_unique<MainWindow>([this](ControlId source) {
            events_.push_back(source);
            if (source == examModeCheck) {
                checkedInHandler_.push_back(
                    readInteger(mainWindow, examModeCheck, PropertyKind::checked));
            }
            if (source == difficultySlider) {
                positionsInHandler_.push_back(
                    readInteger(mainWindow, difficultySlider, PropertyKind::position));
            }
        });
        window_->raiseCreated();
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
        events_.clear();
    }

    QAccessibleInterface* accessible(ControlId id) {
        return QAccessible::queryAccessibleInterface(window_->control(id));
    }

    // The notifications standing in the window, as a screen reader finds them.
    std::vector<QAccessibleInterface*> notifications() {
        std::vector<QAccessibleInterface*> found;
        QAccessibleInterface* root = QAccessible::queryAccessibleInterface(window_.get());
        for (int index = 0; index < root->childCount(); ++index) {
            if (root->child(index)->role() == QAccessible::Notification) {
                found.push_back(root->child(index));
            }
        }
        return found;
    }

    std::unique_ptr<MainWindow> window_;
    std::vector<ControlId> events_;
    std::vector<std::int32_t> checkedInHandler_;
    std::vector<std::int32_t> positionsInHandler_;
};

TEST_F(Accessibility, ReadOnlyBoxesCanBeReadButRefuseEveryAccessibleWrite) {
    const ControlId readOnly[] = {numberBox1, numberBox2, numberBox7, numberBox10, answerBox};
    for (const ControlId id : readOnly) {
        SCOPED_TRACE(id);
        writeProperty(mainWindow, id, PropertyKind::text, "12");
        QAccessibleInterface* box = accessible(id);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->role(), QAccessible::EditableText);
        EXPECT_TRUE(box->state().readOnly);
        EXPECT_FALSE(box->state().editable);
        ASSERT_NE(box->textInterface(), nullptr);
        EXPECT_EQ(box->textInterface()->text(0, box->textInterface()->characterCount()), u"12");
        EXPECT_EQ(box->text(QAccessible::Value), u"12");

        // The bridge edits through EditableText and falls back to a Value write without it.
        EXPECT_EQ(box->editableTextInterface(), nullptr);
        box->setText(QAccessible::Value, u"99"_qs);
        EXPECT_EQ(readText(mainWindow, id, PropertyKind::text), "12");
    }
}

TEST_F(Accessibility, TypableBoxesStillTakeAccessibleWrites) {
    QAccessibleInterface* box = accessible(rangeHighBox);
    ASSERT_NE(box->editableTextInterface(), nullptr);
    box->editableTextInterface()->replaceText(0, box->textInterface()->characterCount(), u"7"_qs);
    EXPECT_EQ(readText(mainWindow, rangeHighBox, PropertyKind::text), "7");
    EXPECT_TRUE(events_.empty());
}

TEST_F(Accessibility, ReadOnlyBoxesTellWhereTheirCharactersStand) {
    writeProperty(mainWindow, answerBox, PropertyKind::text, "12");
    // The box lays its text out when it paints, as it does before a screen reader can ask.
    window_->control(answerBox)->repaint();
    QAccessibleTextInterface* text = accessible(answerBox)->textInterface();
    const QRect box = accessible(answerBox)->rect();
    const QRect first = text->characterRect(0);
    const QRect second = text->characterRect(1);
    ASSERT_FALSE(first.isEmpty());
    EXPECT_TRUE(box.contains(first)) << "the answer box shows both digits";
    EXPECT_TRUE(box.contains(second));
    EXPECT_LE(first.right(), second.left() + 1) << "the second digit stands right of the first";
    EXPECT_EQ(text->offsetAtPoint(first.center()), 0);
    EXPECT_EQ(text->offsetAtPoint(second.center()), 1);
    EXPECT_EQ(text->offsetAtPoint(box.topLeft() + QPoint(2, 2)), -1);
    EXPECT_TRUE(text->characterRect(2).isEmpty());
}

TEST_F(Accessibility, CheckBoxToggleIsTheLearnersClick) {
    QAccessibleInterface* check = accessible(examModeCheck);
    EXPECT_EQ(check->role(), QAccessible::CheckBox);
    EXPECT_EQ(check->text(QAccessible::Name), u"考试模式");
    QAccessibleActionInterface* actions = check->actionInterface();
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));

    actions->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(check->state().checked);
    actions->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_FALSE(check->state().checked);
    EXPECT_EQ(events_, (std::vector<ControlId>{examModeCheck, examModeCheck}));
    EXPECT_EQ(checkedInHandler_, (std::vector<std::int32_t>{1, 0})) << "toggled before the event";

    writeProperty(mainWindow, examModeCheck, PropertyKind::checked, std::int32_t{1});
    EXPECT_TRUE(check->state().checked);
    EXPECT_EQ(events_.size(), 2U) << "a write is not a click";
}

TEST_F(Accessibility, SliderValueWriteIsTheLearnersMove) {
    QAccessibleInterface* slider = accessible(difficultySlider);
    EXPECT_EQ(slider->role(), QAccessible::Slider);
    EXPECT_EQ(slider->text(QAccessible::Name), u"难度调节");
    QAccessibleValueInterface* value = slider->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->currentValue().toInt(), 2);
    EXPECT_EQ(value->minimumValue().toInt(), 2);
    EXPECT_EQ(value->maximumValue().toInt(), 10);
    EXPECT_EQ(value->minimumStepSize().toInt(), 1);

    value->setCurrentValue(5.0);
    value->setCurrentValue(5.0);
    value->setCurrentValue(42.0);
    EXPECT_EQ(positionsInHandler_, (std::vector<std::int32_t>{5, 10}))
        << "one event per move, none where the thumb stays, clamped to the range";
    EXPECT_EQ(value->currentValue().toInt(), 10);
    EXPECT_EQ(slider->text(QAccessible::Value), u"10");

    static_cast<QSlider*>(window_->control(difficultySlider))->setValue(3);
    EXPECT_EQ(positionsInHandler_.size(), 2U) << "the program's own writes raise nothing";
}

TEST_F(Accessibility, DisabledControlsSayItAndTakeNoGesture) {
    for (const ControlId id : {askAnswerButton, examModeCheck, difficultySlider}) {
        writeProperty(mainWindow, id, PropertyKind::enabled, false);
        EXPECT_TRUE(accessible(id)->state().disabled) << id;
    }
    EXPECT_FALSE(accessible(askAnswerButton)
                     ->actionInterface()
                     ->actionNames()
                     .contains(QAccessibleActionInterface::pressAction()));
    EXPECT_FALSE(accessible(examModeCheck)
                     ->actionInterface()
                     ->actionNames()
                     .contains(QAccessibleActionInterface::toggleAction()));
    accessible(examModeCheck)
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::toggleAction());
    accessible(difficultySlider)->valueInterface()->setCurrentValue(6.0);
    QTest::qWait(200);
    EXPECT_TRUE(events_.empty());
    EXPECT_FALSE(accessible(examModeCheck)->state().checked);
    EXPECT_EQ(readInteger(mainWindow, difficultySlider, PropertyKind::position), 2);
}

TEST_F(Accessibility, ButtonNameFollowsItsCaptionAndPressClicksIt) {
    QAccessibleInterface* button = accessible(askAnswerButton);
    for (const char* caption : {"\xB3\xF6\xCC\xE2", "\xB4\xF0\xB0\xB8"}) {  // 出题, 答案
        writeProperty(mainWindow, askAnswerButton, PropertyKind::caption, caption);
        EXPECT_EQ(button->text(QAccessible::Name),
                  static_cast<QPushButton*>(window_->control(askAnswerButton))->text());
    }
    EXPECT_EQ(button->text(QAccessible::Name), u"答案");
    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(QTest::qWaitFor([this] { return !events_.empty(); }));
    EXPECT_EQ(events_, std::vector<ControlId>{askAnswerButton});
}

TEST_F(Accessibility, LabelsAreNamedByWhatTheyShow) {
    for (const ControlId id : {difficultyTitle, rangeTitle, rangeToLabel, elapsedUnitLabel}) {
        QAccessibleInterface* label = accessible(id);
        EXPECT_EQ(label->role(), QAccessible::StaticText);
        EXPECT_FALSE(label->text(QAccessible::Name).isEmpty()) << id;
    }
    writeProperty(mainWindow, elapsedLabel, PropertyKind::caption, "27");
    EXPECT_EQ(accessible(elapsedLabel)->text(QAccessible::Name), u"27");
}

// Screen readers speak what changes in the focused control, and notifications as they show up. The
// counter changes every second and must stay silent; the answer must be said, each time anew.
TEST_F(Accessibility, TheAnswerIsAnnouncedAndTheCounterIsNot) {
    for (const char* seconds : {"1", "2", "3"}) {
        writeProperty(mainWindow, elapsedLabel, PropertyKind::caption, seconds);
    }
    EXPECT_TRUE(notifications().empty());
    EXPECT_EQ(accessible(elapsedLabel)->role(), QAccessible::StaticText);
    EXPECT_FALSE(accessible(elapsedLabel)->state().focusable);

    QAccessible::Id previous = 0;
    for (const char* answer : {"13", "13", "-7"}) {
        writeProperty(mainWindow, answerBox, PropertyKind::text, answer);
        const auto shown = notifications();
        ASSERT_EQ(shown.size(), 1U) << "only the latest answer stands in the window";
        EXPECT_EQ(shown.front()->text(QAccessible::Name), QString::fromLatin1(answer));
        EXPECT_FALSE(shown.front()->state().invisible);
        EXPECT_FALSE(shown.front()->state().focusable);
        const QAccessible::Id id = QAccessible::uniqueId(shown.front());
        EXPECT_NE(id, previous) << "a new notification, so that it shows up again";
        previous = id;
    }
    writeProperty(mainWindow, answerBox, PropertyKind::text, "");
    EXPECT_TRUE(notifications().empty());
}

}  // namespace
}  // namespace tallimo
