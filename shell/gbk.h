#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tallimo {

// The logic sees GBK bytes only; Qt speaks UTF-16. These two are the whole boundary.

QString fromGbk(std::string_view gbk);

// A character that GBK cannot hold becomes "?", and NUL characters are dropped, so the logic
// always gets a text without zero bytes.
std::string toGbk(const QString& text);

// How many GBK bytes a text takes, counted as toGbk counts them.
qsizetype gbkLength(const QString& text);

}  // namespace tallimo
