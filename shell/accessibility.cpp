#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QSlider>

#include "edit_box.h"

namespace tallimo {
namespace {

// Qt's own interface for a line edit takes accessible writes even when the box is read-only, and
// falls back to a Value write when a box offers no editable text. A read-only box therefore gets
// an interface of its own: its text can be read, selected and copied, never changed.
class ReadOnlyBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit ReadOnlyBoxAccessible(EditBox* box)
        : QAccessibleWidget(box, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? box()->text() : QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.selectableText = true;
        return state;
    }

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = 0;
        if (selectionIndex == 0 && box()->hasSelectedText()) {
            *startOffset = box()->selectionStart();
            *endOffset = box()->selectionEnd();
        }
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int selectionIndex) override {
        if (selectionIndex == 0) {
            box()->deselect();
        }
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override {
        if (selectionIndex == 0) {
            box()->setSelection(startOffset, endOffset - startOffset);
        }
    }

    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }

    QString text(int startOffset, int endOffset) const override {
        return box()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(box()->text().size()); }

    QRect characterRect(int offset) const override {
        const QRect rect = box()->characterRect(offset);
        return rect.isEmpty() ? rect : rect.translated(box()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint& point) const override {
        return box()->characterAt(box()->mapFromGlobal(point));
    }

    void scrollToSubstring(int startIndex, int endIndex) override {
        box()->setCursorPosition(endIndex);
        box()->setCursorPosition(startIndex);
    }

    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = offset;
        *endOffset = offset;
        return {};
    }

  private:
    EditBox* box() const { return static_cast<EditBox*>(widget()); }
};

// Qt's Toggle action flips the check box without the click that the drill reacts to. A screen
// reader's Toggle is the learner's click: the box toggles first, then its clicked signal follows.
class CheckBoxAccessible : public QAccessibleWidget {
  public:
    explicit CheckBoxAccessible(QCheckBox* box) : QAccessibleWidget(box, QAccessible::CheckBox) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            return box()->text();
        }
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = box()->isChecked();
        state.pressed = box()->isDown();
        return state;
    }

    QStringList actionNames() const override {
        QStringList names;
        if (widget()->isEnabled()) {
            names << toggleAction();
        }
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override {
        if (actionName == toggleAction()) {
            box()->click();
            return;
        }
        QAccessibleWidget::doAction(actionName);
    }

  private:
    QCheckBox* box() const { return static_cast<QCheckBox*>(widget()); }
};

// Qt's Value interface sets the slider's value, which reports no move. A screen reader's value
// write (and its Increase and Decrease actions, which Qt builds on it) is the learner's move: the
// thumb is put there as a drag would, and the slider reports the move as it reports any other.
class SliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    explicit SliderAccessible(QSlider* slider) : QAccessibleWidget(slider, QAccessible::Slider) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? QString::number(slider()->value())
                                          : QAccessibleWidget::text(kind);
    }

    QVariant currentValue() const override { return slider()->value(); }
    void setCurrentValue(const QVariant& value) override {
        // A disabled slider takes no move from the learner, whatever the way.
        if (widget()->isEnabled()) {
            slider()->setSliderPosition(qRound(value.toDouble()));
        }
    }
    QVariant maximumValue() const override { return slider()->maximum(); }
    QVariant minimumValue() const override { return slider()->minimum(); }
    QVariant minimumStepSize() const override { return slider()->singleStep(); }

  private:
    QSlider* slider() const { return static_cast<QSlider*>(widget()); }
};

// An invisible widget that exists to be spoken: its name is the text.
class Notification : public QWidget {
  public:
    Notification(const QString& text, QWidget* parent) : QWidget(parent) {
        setAccessibleName(text);
        setFocusPolicy(Qt::NoFocus);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(0, 0, 0, 0);
    }
};

QAccessibleInterface* interfaceFor(const QString&, QObject* object) {
    if (auto* box = dynamic_cast<EditBox*>(object); box != nullptr && box->isReadOnly()) {
        return new ReadOnlyBoxAccessible(box);
    }
    if (auto* box = dynamic_cast<QCheckBox*>(object)) {
        return new CheckBoxAccessible(box);
    }
    if (auto* slider = dynamic_cast<QSlider*>(object)) {
        return new SliderAccessible(slider);
    }
    if (auto* notification = dynamic_cast<Notification*>(object)) {
        return new QAccessibleWidget(notification, QAccessible::Notification);
    }
    return nullptr;
}

}  // namespace

void installAccessibility() {
    QAccessible::installFactory(interfaceFor);
}

void Announcer::announce(const QString& text) {
    delete shown_;
    shown_ = nullptr;
    if (!text.isEmpty()) {
        shown_ = new Notification(text, window_);
        shown_->show();
    }
}

}  // namespace tallimo
