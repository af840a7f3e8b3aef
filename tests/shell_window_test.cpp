#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QTest>
#include <QThread>
#include <functional>
#include <memory>
#include <vector>

#include "main_window.h"

namespace tallimo {
namespace {

// Qt's headers cannot be compiled with a GBK execution character set, so the GBK texts here are
// spelled out in bytes.
constexpr const char* gbkAdd = "\xBC\xD3";          // 加
constexpr const char* gbkAsk = "\xB3\xF6\xCC\xE2";  // 出题

// The real window, with every event recorded instead of handled, unless a test says otherwise.
class ShellWindow : public testing::Test {
  protected:
    void SetUp() override {
        window_ = std::make_unique<MainWindow>([this](ControlId source) {
            events_.push_back(source);
            if (onEvent_) {
                onEvent_(source);
            }
        });
        window_->raiseCreated();
        events_.clear();
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }

    template <typename Widget>
    Widget* widget(ControlId id) {
        return static_cast<Widget*>(window_->control(id));
    }

    std::string text(ControlId id) { return readText(mainWindow, id, PropertyKind::text); }

    std::unique_ptr<MainWindow> window_;
    std::vector<ControlId> events_;
    std::function<void(ControlId)> onEvent_;
};

TEST_F(ShellWindow, WritesShowAtOnceAndReadBackWithoutRaisingEvents) {
    writeProperty(mainWindow, numberBox1, PropertyKind::text, gbkAdd);
    EXPECT_EQ(widget<QLineEdit>(numberBox1)->text(), u"加");
    EXPECT_EQ(text(numberBox1), "\xBC\xD3");

    writeProperty(mainWindow, askAnswerButton, PropertyKind::caption, gbkAsk);
    EXPECT_EQ(widget<QPushButton>(askAnswerButton)->text(), u"出题");
    EXPECT_EQ(readText(mainWindow, askAnswerButton, PropertyKind::caption), gbkAsk);

    writeProperty(mainWindow, elapsedLabel, PropertyKind::caption, "12");
    EXPECT_EQ(widget<QLabel>(elapsedLabel)->text(), u"12");
    EXPECT_EQ(readText(mainWindow, elapsedLabel, PropertyKind::caption), "12");

    writeProperty(mainWindow, numberBox3, PropertyKind::visible, std::int32_t{0});
    EXPECT_FALSE(widget<QLineEdit>(numberBox3)->isVisible());
    writeProperty(mainWindow, numberBox3, PropertyKind::text, "7");
    EXPECT_EQ(text(numberBox3), "7") << "a hidden box is read like a shown one";
    writeProperty(mainWindow, levelMark5, PropertyKind::visible, std::int32_t{1});
    EXPECT_TRUE(widget<QLabel>(levelMark5)->isVisible());

    writeProperty(mainWindow, examModeCheck, PropertyKind::checked, std::int32_t{1});
    EXPECT_TRUE(widget<QCheckBox>(examModeCheck)->isChecked());
    EXPECT_EQ(readInteger(mainWindow, examModeCheck, PropertyKind::checked), 1);
    writeProperty(mainWindow, examModeCheck, PropertyKind::checked, std::int32_t{0});
    EXPECT_EQ(readInteger(mainWindow, examModeCheck, PropertyKind::checked), 0);

    writeProperty(mainWindow, difficultySlider, PropertyKind::enabled, false);
    EXPECT_FALSE(widget<QSlider>(difficultySlider)->isEnabled());
    EXPECT_EQ(readInteger(mainWindow, difficultySlider, PropertyKind::position), 2);

    writeProperty(mainWindow, tickTimer, PropertyKind::timerPeriod, std::int32_t{1000});
    writeProperty(mainWindow, tickTimer, PropertyKind::timerPeriod, std::int32_t{0});
    QCoreApplication::processEvents();
    EXPECT_TRUE(events_.empty());
}

TEST_F(ShellWindow, CaptionsKeepTheirBytesWhileLabelsShowThemOnTheirLines) {
    const std::string hint = readText(mainWindow, modeHint, PropertyKind::caption);
    EXPECT_NE(hint.find("\r\n"), std::string::npos);
    EXPECT_EQ(widget<QLabel>(modeHint)->text(), u"勾选：自动答案，3秒出题\n不选：手动获取答案");

    writeProperty(mainWindow, elapsedLabel, PropertyKind::caption, "1\r\n2");
    EXPECT_EQ(widget<QLabel>(elapsedLabel)->text(), u"12") << "a one-line label drops line breaks";
    EXPECT_EQ(readText(mainWindow, elapsedLabel, PropertyKind::caption), "1\r\n2");
}

TEST_F(ShellWindow, TypedTextIsReadAsGbkAndUnencodableCharactersDoNotBreakIt) {
    widget<QLineEdit>(answerBox)->setText(u"x\u00e9\U0001F600\u0000y"_qs);
    const std::string read = text(answerBox);
    EXPECT_EQ(read.find('\0'), std::string::npos);
    EXPECT_EQ(read.front(), 'x');
    EXPECT_EQ(read.back(), 'y');
}

TEST_F(ShellWindow, CheckBoxHandlerSeesTheNewState) {
    std::vector<std::int32_t> seen;
    onEvent_ = [&](ControlId source) {
        if (source == examModeCheck) {
            seen.push_back(readInteger(mainWindow, examModeCheck, PropertyKind::checked));
        }
    };
    QTest::mouseClick(widget<QCheckBox>(examModeCheck), Qt::LeftButton);
    QTest::mouseClick(widget<QCheckBox>(examModeCheck), Qt::LeftButton);
    EXPECT_EQ(seen, (std::vector<std::int32_t>{1, 0}));
}

TEST_F(ShellWindow, ButtonClicksRaiseOneEventEachButEnterPressesNothing) {
    auto* button = widget<QPushButton>(askAnswerButton);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(events_, std::vector<ControlId>{askAnswerButton});

    events_.clear();
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Return);
    QTest::keyClick(button, Qt::Key_Enter);
    EXPECT_TRUE(events_.empty());
    EXPECT_TRUE(button->hasFocus()) << "Enter does not move the focus";
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(events_, std::vector<ControlId>{askAnswerButton});
}

TEST_F(ShellWindow, SliderKeysRaiseOneEventPerStepAndStopAtTheEnds) {
    std::vector<std::int32_t> positions;
    onEvent_ = [&](ControlId source) {
        positions.push_back(readInteger(mainWindow, source, PropertyKind::position));
    };
    auto* slider = widget<QSlider>(difficultySlider);
    slider->setFocus();
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Right, Qt::Key_PageUp, Qt::Key_End,
                        Qt::Key_Right, Qt::Key_Home}) {
        QTest::keyClick(slider, key);
    }
    EXPECT_EQ(positions, (std::vector<std::int32_t>{2, 3, 4, 5, 10, 10, 2}));
}

TEST_F(ShellWindow, DraggingTheThumbReportsEachPositionAndOnceMoreOnRelease) {
    std::vector<std::int32_t> positions;
    onEvent_ = [&](ControlId source) {
        positions.push_back(readInteger(mainWindow, source, PropertyKind::position));
    };
    auto* slider = widget<QSlider>(difficultySlider);
    const auto xFor = [&](int value) {
        return QStyle::sliderPositionFromValue(2, 10, value, slider->width() - 20) + 10;
    };
    const int y = slider->height() / 2;
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(xFor(2), y));
    QTest::mouseMove(slider, QPoint(xFor(4), y));
    QTest::mouseMove(slider, QPoint(xFor(6), y));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(xFor(6), y));
    ASSERT_GE(positions.size(), 2u);
    EXPECT_EQ(positions.back(), 6);
    EXPECT_EQ(positions[positions.size() - 2], 6) << "the release repeats the last position";
}

TEST_F(ShellWindow, DisabledControlsRaiseNothing) {
    for (ControlId id : {askAnswerButton, examModeCheck, difficultySlider}) {
        writeProperty(mainWindow, id, PropertyKind::enabled, false);
    }
    QTest::mouseClick(widget<QPushButton>(askAnswerButton), Qt::LeftButton);
    QTest::mouseClick(widget<QCheckBox>(examModeCheck), Qt::LeftButton);
    QTest::keyClick(widget<QSlider>(difficultySlider), Qt::Key_Right);
    QTest::mouseClick(widget<QSlider>(difficultySlider), Qt::LeftButton);
    EXPECT_TRUE(events_.empty());
    EXPECT_EQ(readInteger(mainWindow, difficultySlider, PropertyKind::position), 2);
    EXPECT_EQ(readInteger(mainWindow, examModeCheck, PropertyKind::checked), 0);
}

struct TypingCase {
    const char* typed;
    const char* expected;
};

TEST_F(ShellWindow, DigitBoxesTakeOnlyDigitsAndMinusUpToTwoBytes) {
    constexpr TypingCase cases[] = {
        {"a.1", "1"}, {"-5", "-5"}, {"123", "12"}, {"x y", ""}, {"9-9", "9-"},
    };
    auto* box = widget<QLineEdit>(rangeLowBox);
    for (const TypingCase& typing : cases) {
        box->clear();
        QTest::keyClicks(box, QString::fromLatin1(typing.typed));
        EXPECT_EQ(text(rangeLowBox), typing.expected) << typing.typed;
    }
    box->clear();
    QKeyEvent fullWidthOne(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, u"１"_qs);
    QCoreApplication::sendEvent(box, &fullWidthOne);
    EXPECT_EQ(text(rangeLowBox), "") << "full-width digits are not typed";
}

TEST_F(ShellWindow, PastesGoInUnfilteredButAreCutToTheByteLimit) {
    auto* box = widget<QLineEdit>(answerTimeBox);
    const struct {
        QString pasted;
        const char* expected;
    } cases[] = {
        {u"１２3"_qs, "\xA3\xB1"},  // "１" takes both bytes
        {u"a"_qs, "a"},
        {u"7x9"_qs, "7x"},
        {u"\U0001F600\U0001F600\U0001F600"_qs, "??"},  // GBK has no emoji: one "?" each
    };
    for (const auto& paste : cases) {
        box->clear();
        QGuiApplication::clipboard()->setText(paste.pasted);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(text(answerTimeBox), paste.expected) << paste.pasted.toStdString();
    }
}

TEST_F(ShellWindow, ReadOnlyBoxesIgnoreTypingButCanBeCopied) {
    writeProperty(mainWindow, numberBox1, PropertyKind::text, "42");
    auto* box = widget<QLineEdit>(numberBox1);
    box->setFocus();
    QTest::keyClicks(box, u"17"_qs);
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(text(numberBox1), "42");
    box->selectAll();
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"42");
}

TEST_F(ShellWindow, EscapeClosesTheWindowFromAnyControl) {
    widget<QLineEdit>(rangeHighBox)->setFocus();
    QTest::keyClick(widget<QLineEdit>(rangeHighBox), Qt::Key_Escape);
    EXPECT_FALSE(window_->isVisible());
}

TEST_F(ShellWindow, NoTickArrivesAfterTheWindowCloses) {
    writeProperty(mainWindow, tickTimer, PropertyKind::timerPeriod, std::int32_t{20});
    window_->close();
    QTest::qWait(80);
    EXPECT_TRUE(events_.empty());
}

TEST_F(ShellWindow, ControlsStandWhereTheLayoutPutsThem) {
    EXPECT_GE(window_->width(), 536);
    EXPECT_GE(window_->height(), 597);
    EXPECT_EQ(window_->windowTitle(), u"+Tallimo V2.0");
    EXPECT_EQ(widget<QWidget>(numberBox6)->geometry().topLeft(), QPoint(140, 22));
    EXPECT_EQ(widget<QWidget>(difficultyGroup)->geometry(), QRect(270, -4, 265, 130));
    EXPECT_EQ(widget<QWidget>(askAnswerButton)->geometry(), QRect(82, 25, 100, 50));
    EXPECT_EQ(widget<QWidget>(numberBox1)->font().pixelSize(), 93);
    EXPECT_EQ(widget<QWidget>(elapsedLabel)->font().weight(), QFont::Bold);
    EXPECT_GE(widget<QWidget>(answerBox)->height(), 137);
    // The hint was laid out after the answer-time controls it covers, and stays above them.
    QWidget* group = widget<QWidget>(modeGroup);
    const auto& children = group->children();
    EXPECT_GT(children.indexOf(widget<QWidget>(answerTimeLabel)),
              children.indexOf(widget<QWidget>(modeHint)));
}

// Timer tests use short periods and generous margins so a loaded machine does not fail them.
class ShellTimer : public ShellWindow {
  protected:
    void setPeriod(std::int32_t period) {
        writeProperty(mainWindow, tickTimer, PropertyKind::timerPeriod, period);
    }
    int ticks() const { return static_cast<int>(std::ranges::count(events_, tickTimer)); }
};

TEST_F(ShellTimer, FirstTickComesOnePeriodAfterTheWrite) {
    QElapsedTimer clock;
    clock.start();
    setPeriod(200);
    QCoreApplication::processEvents();
    EXPECT_EQ(ticks(), 0) << "no tick at once";
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks() > 0; }, 2000));
    EXPECT_GE(clock.elapsed(), 190);
}

TEST_F(ShellTimer, RewritingTheSamePeriodKeepsTheSchedule) {
    QElapsedTimer clock;
    clock.start();
    setPeriod(300);
    QTest::qWait(200);
    setPeriod(300);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks() > 0; }, 2000));
    EXPECT_LT(clock.elapsed(), 450) << "a restarted schedule would tick at about 500 ms";
}

TEST_F(ShellTimer, ZeroOrNegativeStopsIt) {
    for (std::int32_t stop : {0, -5}) {
        setPeriod(30);
        ASSERT_TRUE(QTest::qWaitFor([&] { return ticks() > 0; }, 2000));
        setPeriod(stop);
        events_.clear();
        QTest::qWait(100);
        EXPECT_EQ(ticks(), 0) << stop;
        EXPECT_EQ(readInteger(mainWindow, tickTimer, PropertyKind::timerPeriod), 0);
    }
}

TEST_F(ShellTimer, ABlockedLoopGetsOneTickNotABurst) {
    setPeriod(20);
    QThread::msleep(200);
    QCoreApplication::processEvents();
    EXPECT_LE(ticks(), 1);
}

TEST(ShellStartUp, CreatedEventComesBeforeTheWindowIsShown) {
    bool shownAtCreation = true;
    MainWindow* built = nullptr;
    MainWindow window([&](ControlId source) {
        if (source == mainWindow) {
            shownAtCreation = built->isVisible();
        }
    });
    built = &window;
    window.raiseCreated();
    EXPECT_FALSE(shownAtCreation);
}

}  // namespace
}  // namespace tallimo
