#include "gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace tallimo {

QString fromGbk(std::string_view gbk) {
    QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    return decoder.decode(QByteArrayView(gbk.data(), static_cast<qsizetype>(gbk.size())));
}

std::string toGbk(const QString& text) {
    QString withoutNul = text;
    withoutNul.remove(QChar(u'\0'));
    QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(withoutNul);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

qsizetype gbkLength(const QString& text) {
    return static_cast<qsizetype>(toGbk(text).size());
}

}  // namespace tallimo
