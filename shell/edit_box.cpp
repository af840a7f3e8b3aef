#include "edit_box.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QValidator>
#include <algorithm>
#include <numeric>

#include "gbk.h"

namespace tallimo {
namespace {

bool isTypeable(QChar character) {
    return character == u'-' || (character >= u'0' && character <= u'9');
}

// Keeps a box within its GBK byte limit. Whatever was just inserted ends at the cursor, so
// trimming before the cursor refuses a key typed into a full box and cuts a paste to the limit.
class GbkLengthLimit : public QValidator {
  public:
    GbkLengthLimit(qsizetype maxBytes, QObject* parent) : QValidator(parent), maxBytes_(maxBytes) {}

    State validate(QString& input, int& position) const override {
        if (gbkLength(input) <= maxBytes_) {
            return Acceptable;
        }
        // Of the text before the cursor, keep the longest start that fits beside the text after
        // it, counted character by character: one pass, where encoding the whole text again for
        // each character a paste loses would hold the window for seconds on a long paste.
        const QString after = input.mid(position);
        qsizetype room = maxBytes_ - gbkLength(after);
        int kept = 0;
        while (kept < position) {
            const int width = kept + 1 < position && input.at(kept).isHighSurrogate() &&
                                      input.at(kept + 1).isLowSurrogate()
                                  ? 2
                                  : 1;
            const qsizetype bytes = gbkLength(input.mid(kept, width));
            if (bytes > room) {
                break;
            }
            room -= bytes;
            kept += width;
        }
        input = input.left(kept) + after;
        position = kept;
        return gbkLength(input) <= maxBytes_ ? Acceptable : Invalid;
    }

  private:
    qsizetype maxBytes_;
};

}  // namespace

EditBox::EditBox(const ControlLayout& layout, QWidget* parent)
    : QLineEdit(parent), input_(layout.input) {
    setReadOnly(layout.input == InputRule::readOnly);
    if (layout.maxLengthBytes > 0) {
        setValidator(new GbkLengthLimit(layout.maxLengthBytes, this));
    }
}

QRect EditBox::characterRect(int index) {
    const QString shown = text();
    if (index < 0 || index >= shown.size()) {
        return {};
    }
    const QFontMetrics metrics(font());
    const int width = metrics.horizontalAdvance(shown.at(index));
    // A line taller than the box is cut at its edges, as the text is.
    const QRect inside = contentsRect();
    const int top = std::max(inside.top(), inside.center().y() - metrics.height() / 2);
    const int bottom = std::min(inside.bottom(), top + metrics.height() - 1);
    const int left = middleOf(index) - width / 2;
    return {QPoint(left, top), QPoint(left + width - 1, bottom)};
}

int EditBox::characterAt(QPoint point) {
    const int position = cursorPositionAt(point);
    for (const int index : {position - 1, position}) {
        if (characterRect(index).contains(point)) {
            return index;
        }
    }
    return -1;
}

// The line edit keeps its text layout to itself, but tells the cursor position nearest to any x:
// it turns from before to after a character at that character's middle, alignment and scrolling
// included.
int EditBox::middleOf(int index) {
    constexpr int farOut = 1 << 16;
    int before = -farOut;
    int after = farOut;
    while (after - before > 1) {
        const int x = std::midpoint(before, after);
        (cursorPositionAt(QPoint(x, 0)) <= index ? before : after) = x;
    }
    return after;
}

void EditBox::keyPressEvent(QKeyEvent* event) {
    // Shortcuts (Ctrl+V, Alt+...) may carry a printable text on some platforms; they are not
    // typing.
    const QString typed = event->text();
    const bool shortcut =
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
    if (input_ == InputRule::digitsAndMinus && !shortcut && !typed.isEmpty() &&
        typed.at(0).isPrint() && !std::ranges::all_of(typed, isTypeable)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void EditBox::inputMethodEvent(QInputMethodEvent* event) {
    if (input_ != InputRule::digitsAndMinus || event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QString kept;
    for (QChar character : event->commitString()) {
        if (isTypeable(character)) {
            kept.append(character);
        }
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(kept, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
}

}  // namespace tallimo
