#include "main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QWindow>
#include <algorithm>
#include <ranges>

#include "caption_label.h"
#include "edit_box.h"
#include "gbk.h"
#include "group_frame.h"
#include "tick_timer.h"

namespace tallimo {
namespace {

// Every text of the window is Chinese, so it is drawn as a Chinese session draws it: in the Chinese
// face that the program is installed with (the one fontconfig gives a zh_CN session), digits
// included. Left to the locale, any other session draws the digits in a wider Latin face (DejaVu
// Sans: 59 px a digit at 93 px against 51 px), and two-digit numbers no longer fit their boxes.
QFont fontFor(const Font& font) {
    QFont qtFont = QGuiApplication::font();
    qtFont.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), qtFont.family()});
    if (font.pixelHeight > 0) {
        qtFont.setPixelSize(font.pixelHeight);
        qtFont.setWeight(static_cast<QFont::Weight>(font.weight));
    }
    return qtFont;
}

QColor colourFor(Rgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

Qt::Alignment alignmentFor(const ControlLayout& layout) {
    constexpr Qt::Alignment horizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    constexpr Qt::Alignment vertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return horizontal[static_cast<int>(layout.horizontalAlign)] |
           (layout.wordWrap ? Qt::AlignTop : vertical[static_cast<int>(layout.verticalAlign)]);
}

// A one-line box is at least as tall as "吴" in its font plus a 2-pixel sunken edge above and
// below; a box laid out smaller grows downward. The glyph itself is measured, not the face's line
// height: faces differ widely in the leading they add, and the layout was made for one that adds
// none.
int editBoxHeight(const ControlLayout& layout, const QFont& font) {
    return std::max(layout.height, QFontMetrics(font).tightBoundingRect(u"吴"_qs).height() + 4);
}

// The window's client area holds every group box whole: they reach x = 535 and y = 596, and the
// first column starts 1 pixel in, so the same margin is kept on the right and at the bottom.
QSize clientSize() {
    int right = 0;
    int bottom = 0;
    for (const ControlLayout& layout : layoutTable) {
        if (layout.parent == mainWindow) {
            right = std::max(right, layout.x + layout.width);
            bottom = std::max(bottom, layout.y + layout.height);
        }
    }
    return {right + 1, bottom + 1};
}

}  // namespace

MainWindow::MainWindow(EventSink sink) : sink_(std::move(sink)) {
    installAccessibility();
    setWindowTitle(fromGbk(windowLayout.caption));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(clientSize());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - windowLayout.outerWidth) / 2,
             area.y() + (area.height() - windowLayout.outerHeight) / 2);
    }

    // Qt stacks a later sibling above an earlier one, while the layout lists the topmost first:
    // build in reverse, group boxes before the controls they hold.
    auto backwards = layoutTable | std::views::reverse;
    for (const ControlLayout& layout : backwards) {
        if (layout.kind == ControlKind::GroupBox) {
            buildControl(layout);
        }
    }
    for (const ControlLayout& layout : backwards) {
        if (layout.kind != ControlKind::GroupBox) {
            buildControl(layout);
        }
    }

    QWidget* previous = nullptr;
    for (const ControlLayout& layout : layoutTable) {
        if (layout.tabStop) {
            if (previous != nullptr) {
                setTabOrder(previous, controls_.at(layout.id));
            }
            previous = controls_.at(layout.id);
        }
    }
}

MainWindow::~MainWindow() {
    stopEvents();
    setPropertyHost(nullptr);
}

void MainWindow::stopEvents() {
    // An open question or exam is abandoned: no tick may reach a handler once the window closes.
    eventsSuppressed_ = true;
    if (tickTimer_ != nullptr) {
        tickTimer_->setPeriod(0);
    }
}

void MainWindow::buildControl(const ControlLayout& layout) {
    QWidget* parent = layout.parent == mainWindow ? this : controls_.at(layout.parent);
    QWidget* widget = nullptr;
    const QFont font = fontFor(layout.font);
    const QString text = fromGbk(layout.text);
    switch (layout.kind) {
        case ControlKind::GroupBox:
            widget = new GroupFrame(text, parent);
            break;
        case ControlKind::Label: {
            auto* label = new CaptionLabel(parent);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(layout.wordWrap);
            label->setAlignment(alignmentFor(layout));
            setCaption(layout, label, std::string(layout.text));
            widget = label;
            break;
        }
        case ControlKind::EditBox: {
            auto* box = new EditBox(layout, parent);
            box->setAlignment(alignmentFor(layout));
            box->setText(text);
            box->setCursorPosition(0);
            widget = box;
            break;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton(parent);
            button->setAutoDefault(layout.defaultButton);
            button->setDefault(layout.defaultButton);
            setCaption(layout, button, std::string(layout.text));
            connect(button, &QPushButton::clicked, this,
                    [this, id = layout.id] { raiseEvent(id); });
            widget = button;
            break;
        }
        case ControlKind::CheckBox: {
            auto* check = new QCheckBox(text, parent);
            check->setChecked(layout.checked != 0);
            connect(check, &QCheckBox::clicked, this, [this, id = layout.id] { raiseEvent(id); });
            widget = check;
            break;
        }
        case ControlKind::SliderBar: {
            slider_ = new QSlider(Qt::Horizontal, parent);
            slider_->setRange(layout.slider.minimum, layout.slider.maximum);
            slider_->setSingleStep(layout.slider.lineSize);
            slider_->setPageStep(layout.slider.pageSize);
            slider_->setTickInterval(layout.slider.tickFrequency);
            slider_->setTickPosition(QSlider::TicksBelow);
            slider_->setValue(layout.slider.position);
            sliderPosition_ = layout.slider.position;
            // Every step, page, jump and drag report is a move of the learner's; so is letting go
            // of the thumb, even where it was picked up.
            connect(slider_, &QSlider::actionTriggered, this, &MainWindow::reportSliderPosition);
            connect(slider_, &QSlider::sliderReleased, this, &MainWindow::reportSliderPosition);
            widget = slider_;
            break;
        }
        case ControlKind::Timer:
            tickTimer_ = new TickTimer([this, id = layout.id] { raiseEvent(id); }, this);
            tickTimer_->setPeriod(layout.timerPeriod);
            return;
        case ControlKind::Window:
            return;
    }
    widget->setFont(font);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colourFor(layout.textColour));
    palette.setColor(QPalette::Text, colourFor(layout.textColour));
    palette.setColor(QPalette::ButtonText, colourFor(layout.textColour));
    if (layout.background) {
        palette.setColor(QPalette::Base, colourFor(*layout.background));
    }
    widget->setPalette(palette);
    const int height =
        layout.kind == ControlKind::EditBox ? editBoxHeight(layout, font) : layout.height;
    widget->setGeometry(layout.x, layout.y, layout.width, height);
    widget->setFocusPolicy(layout.tabStop ? Qt::StrongFocus : Qt::NoFocus);
    widget->setEnabled(layout.enabled);
    widget->setVisible(layout.visible);
    widget->setObjectName(fromGbk(layout.name));
    // Boxes and the slider have no caption of their own, so a screen reader names them by their
    // design names; labels, the button and the check box are named by what they show.
    if (layout.kind == ControlKind::EditBox || layout.kind == ControlKind::SliderBar) {
        widget->setAccessibleName(fromGbk(layout.name));
    }
    controls_[layout.id] = widget;
}

void MainWindow::setCaption(const ControlLayout& layout, QWidget* widget, std::string gbk) {
    QString shown = fromGbk(gbk);
    captions_[layout.id] = std::move(gbk);
    if (layout.kind == ControlKind::Button) {
        static_cast<QPushButton*>(widget)->setText(shown.replace(u'&', QLatin1String("&&")));
        return;
    }
    // A one-line label ignores line breaks; a wrapping one breaks at each CR LF.
    if (layout.wordWrap) {
        shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    } else {
        shown.remove(u'\r').remove(u'\n');
    }
    static_cast<QLabel*>(widget)->setText(shown);
}

void MainWindow::raiseCreated() {
    setPropertyHost(this);
    eventsSuppressed_ = false;
    raiseEvent(mainWindow);
}

QWidget* MainWindow::control(ControlId id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

void MainWindow::raiseEvent(ControlId source) {
    if (!eventsSuppressed_) {
        sink_(source);
    }
}

void MainWindow::reportSliderPosition() {
    // Taken just before the event, so the handler reads the position that caused it; during an
    // action the thumb already stands where the action puts it.
    sliderPosition_ = slider_->sliderPosition();
    raiseEvent(difficultySlider);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && windowLayout.escapeCloses) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Nothing is bound to closing: a close request is never refused.
    stopEvents();
    event->accept();
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    // Presses that no control takes (the background, labels, group boxes) move the window as a
    // press on the title bar would.
    if (event->button() == Qt::LeftButton && windowLayout.dragAnywhere &&
        windowHandle() != nullptr) {
        windowHandle()->startSystemMove();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

}  // namespace tallimo
