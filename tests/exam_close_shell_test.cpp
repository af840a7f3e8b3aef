// Closing the window in the middle of an exam, with the drill's own handlers bound to the real
// widgets: whichever way the window goes, no handler runs after it, although the exam's timer was
// ticking up to that moment.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <QWindow>
#include <memory>
#include <ostream>

#include "main_window.h"

namespace tallimo {
namespace {

enum class Phase { question, answerHold };

enum class Ending {
    close,        // what Escape does
    escapeKey,    // the key itself
    closeWindow,  // a close request from the platform, as a window manager's close button sends
    destroy,      // the window deleted without being closed first
};

struct CloseCase {
    const char* name;
    Phase phase;
    Ending ending;
};

void PrintTo(const CloseCase& closing, std::ostream* out) {
    *out << closing.name;
}

class ExamClose : public testing::TestWithParam<CloseCase> {
  protected:
    void SetUp() override {
        window_ = std::make_unique<MainWindow>([this](ControlId source) {
            if (closed_) {
                ++handledAfterClose_;
            }
            if (source == tickTimer) {
                ++ticks_;
            }
            runBoundHandler(source);
        });
        window_->raiseCreated();
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }

    QLineEdit* box(ControlId id) const { return static_cast<QLineEdit*>(window_->control(id)); }

    void startExam(const QString& answerTime) {
        QTest::mouseClick(window_->control(examModeCheck), Qt::LeftButton);
        box(answerTimeBox)->setText(answerTime);
        QTest::mouseClick(window_->control(askAnswerButton), Qt::LeftButton);
    }

    void end(Ending ending) {
        closed_ = true;
        switch (ending) {
            case Ending::close:
                window_->close();
                break;
            case Ending::escapeKey:
                QTest::keyClick(window_.get(), Qt::Key_Escape);
                break;
            case Ending::closeWindow:
                window_->windowHandle()->close();
                break;
            case Ending::destroy:
                window_.reset();
                break;
        }
    }

    std::unique_ptr<MainWindow> window_;
    bool closed_ = false;
    int ticks_ = 0;
    int handledAfterClose_ = 0;
};

TEST_P(ExamClose, NoHandlerRunsAfterTheWindowGoes) {
    const CloseCase& closing = GetParam();
    if (closing.phase == Phase::question) {
        // The first tick of a two-second question: the question is still open.
        startExam(u"2"_qs);
        ASSERT_TRUE(QTest::qWaitFor([&] { return ticks_ > 0; }, 3000));
        ASSERT_TRUE(box(answerBox)->text().isEmpty());
    } else {
        // A one-second question answered: the three-second hold has begun.
        startExam(u"1"_qs);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !box(answerBox)->text().isEmpty(); }, 3000));
    }

    end(closing.ending);
    if (window_ != nullptr) {
        EXPECT_FALSE(window_->isVisible());
    }
    // Longer than the one-second period: a timer still running would have ticked.
    QTest::qWait(1300);
    EXPECT_EQ(handledAfterClose_, 0);
}

INSTANTIATE_TEST_SUITE_P(
    , ExamClose,
    testing::Values(CloseCase{"QuestionClose", Phase::question, Ending::close},
                    CloseCase{"QuestionEscape", Phase::question, Ending::escapeKey},
                    CloseCase{"QuestionCloseRequest", Phase::question, Ending::closeWindow},
                    CloseCase{"QuestionDestroy", Phase::question, Ending::destroy},
                    CloseCase{"HoldClose", Phase::answerHold, Ending::close},
                    CloseCase{"HoldEscape", Phase::answerHold, Ending::escapeKey},
                    CloseCase{"HoldCloseRequest", Phase::answerHold, Ending::closeWindow},
                    CloseCase{"HoldDestroy", Phase::answerHold, Ending::destroy}),
    [](const testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tallimo
