// The boundary where Qt's UTF-16 texts become the logic's GBK bytes and back.
#include "gbk.h"

#include <gtest/gtest.h>

namespace tallimo {
namespace {

struct Crossing {
    QString text;
    std::string gbk;
};

TEST(Gbk, EveryTextBecomesBytesWithoutZeros) {
    const Crossing crossings[] = {
        {u"加油"_qs, "\xBC\xD3\xD3\xCD"},
        {u"１５"_qs, "\xA3\xB1\xA3\xB5"},
        {u"-12"_qs, "-12"},
        {QString(), ""},
        {u"a\U0001F600b"_qs, "a?b"},  // GBK has no emoji
        {u"7\u0000"
         "8"_qs,
         "78"},                                          // a NUL cannot stand in a text
        {u"1"_qs + QChar(0xD83D), "1?"},                 // half a pair at the end
        {QChar(0xDE00) + u"2"_qs, "?2"},                 // a low half alone
        {u"3"_qs + QChar(0xD83D) + QChar(u'4'), "3?4"},  // a high half alone
    };
    for (const Crossing& crossing : crossings) {
        EXPECT_EQ(toGbk(crossing.text), crossing.gbk) << crossing.text.toStdString();
        EXPECT_EQ(gbkLength(crossing.text), static_cast<qsizetype>(crossing.gbk.size()));
    }
}

TEST(Gbk, BytesComeBackAsTheTextTheyWere) {
    for (const QString& text :
         {u"勾选：自动答案，3秒出题\r\n不选：手动获取答案"_qs, u"玉不琢，不成器。"_qs}) {
        EXPECT_EQ(fromGbk(toGbk(text)), text);
    }
    EXPECT_EQ(fromGbk("\xBC\xD3"), u"加");
}

}  // namespace
}  // namespace tallimo
