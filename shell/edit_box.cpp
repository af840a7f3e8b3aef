#include "edit_box.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QValidator>

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
        while (gbkLength(input) > maxBytes_ && position > 0) {
            const int width = position > 1 && input.at(position - 1).isLowSurrogate() &&
                                      input.at(position - 2).isHighSurrogate()
                                  ? 2
                                  : 1;
            input.remove(position - width, width);
            position -= width;
        }
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
