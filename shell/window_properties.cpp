// The property operations of mainWindow over its Qt widgets.
#include <QCheckBox>
#include <QLineEdit>

#include "fatal_error.h"
#include "gbk.h"
#include "main_window.h"
#include "tick_timer.h"

namespace tallimo {
namespace {

[[noreturn]] void contractBroken(ControlId control, PropertyKind kind) {
    fatalError(QStringLiteral("Tallimo stopped: control %1 has no property %2.")
                   .arg(control)
                   .arg(static_cast<int>(kind)));
}

std::string textOf(const PropertyValue& value) {
    const auto* text = std::get_if<std::string>(&value);
    return text != nullptr ? *text : std::string();
}

std::int32_t integerOf(const PropertyValue& value) {
    if (const auto* flag = std::get_if<bool>(&value)) {
        return *flag ? 1 : 0;
    }
    const auto* number = std::get_if<std::int32_t>(&value);
    return number != nullptr ? *number : 0;
}

}  // namespace

const ControlLayout& MainWindow::layoutOf(ControlId window, ControlId control) const {
    if (window != mainWindow) {
        fatalError(QStringLiteral("Tallimo stopped: window %1 is not loaded.").arg(window));
    }
    const ControlLayout* layout = findLayout(control);
    if (layout == nullptr) {
        fatalError(QStringLiteral("Tallimo stopped: the window has no control %1.").arg(control));
    }
    return *layout;
}

PropertyValue MainWindow::read(ControlId window, ControlId control, PropertyKind kind) {
    const ControlLayout& layout = layoutOf(window, control);
    QWidget* widget = this->control(control);
    switch (kind) {
        case PropertyKind::visible:
            if (widget != nullptr) {
                return std::int32_t{widget->isVisibleTo(this) ? 1 : 0};
            }
            break;
        case PropertyKind::enabled:
            if (widget != nullptr) {
                return widget->isEnabled();
            }
            break;
        case PropertyKind::text:
            if (layout.kind == ControlKind::EditBox) {
                return toGbk(static_cast<QLineEdit*>(widget)->text());
            }
            break;
        case PropertyKind::caption:
            if (captions_.contains(control)) {
                return captions_.at(control);
            }
            break;
        case PropertyKind::checked:
            if (layout.kind == ControlKind::CheckBox) {
                return std::int32_t{static_cast<QCheckBox*>(widget)->isChecked() ? 1 : 0};
            }
            break;
        case PropertyKind::position:
            if (layout.kind == ControlKind::SliderBar) {
                return sliderPosition_;
            }
            break;
        case PropertyKind::timerPeriod:
            if (layout.kind == ControlKind::Timer) {
                return std::int32_t{tickTimer_->period()};
            }
            break;
    }
    contractBroken(control, kind);
}

void MainWindow::write(ControlId window, ControlId control, PropertyKind kind,
                       const PropertyValue& value) {
    const ControlLayout& layout = layoutOf(window, control);
    QWidget* widget = this->control(control);
    switch (kind) {
        case PropertyKind::visible:
            if (widget != nullptr) {
                widget->setVisible(integerOf(value) != 0);
                return;
            }
            break;
        case PropertyKind::enabled:
            if (widget != nullptr) {
                widget->setEnabled(integerOf(value) != 0);
                return;
            }
            break;
        case PropertyKind::text:
            if (layout.kind == ControlKind::EditBox) {
                auto* box = static_cast<QLineEdit*>(widget);
                box->setText(fromGbk(textOf(value)));
                // Long texts show their beginning, as a freshly set box does.
                box->setCursorPosition(0);
                // The answer appears while the learner's focus stays on the button, so a screen
                // reader would not speak it by itself.
                if (control == answerBox) {
                    announcer_.announce(box->text());
                }
                return;
            }
            break;
        case PropertyKind::caption:
            if (layout.kind == ControlKind::Label || layout.kind == ControlKind::Button) {
                setCaption(layout, widget, textOf(value));
                return;
            }
            break;
        case PropertyKind::checked:
            if (layout.kind == ControlKind::CheckBox) {
                static_cast<QCheckBox*>(widget)->setChecked(integerOf(value) != 0);
                return;
            }
            break;
        case PropertyKind::position:
            break;
        case PropertyKind::timerPeriod:
            if (layout.kind == ControlKind::Timer) {
                tickTimer_->setPeriod(integerOf(value));
                return;
            }
            break;
    }
    contractBroken(control, kind);
}

}  // namespace tallimo
