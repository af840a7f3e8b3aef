#include "gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace tallimo {

QString fromGbk(std::string_view gbk) {
    QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    return decoder.decode(QByteArrayView(gbk.data(), static_cast<qsizetype>(gbk.size())));
}

std::string toGbk(const QString& text) {
    QString cleaned = text;
    cleaned.remove(QChar(u'\0'));
    // A surrogate without its partner is no character at all; the encoder would silently drop
    // one at the very end, so every such half becomes "?" like any other character GBK lacks.
    for (qsizetype i = 0; i < cleaned.size(); ++i) {
        if (cleaned[i].isHighSurrogate() && i + 1 < cleaned.size() &&
            cleaned[i + 1].isLowSurrogate()) {
            ++i;
        } else if (cleaned[i].isSurrogate()) {
            cleaned[i] = u'?';
        }
    }
    QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(cleaned);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

qsizetype gbkLength(const QString& text) {
    return static_cast<qsizetype>(toGbk(text).size());
}

}  // namespace tallimo
