#pragma once
// The program's GBK texts as Qt strings and back.
#include <QString>

#include "host/posix/gbk_convert.h"
#include "host/text.h"

namespace quarvel {

inline QString ToQt(const Text& gbk) {
  return QString::fromStdString(posix::GbkToUtf8(gbk));
}
// Characters that GBK cannot hold become '?'.
inline Text ToGbk(const QString& text) {
  return posix::Utf8ToGbk(text.toStdString());
}

}  // namespace quarvel

namespace quarvel {

// A text to be shown (a caption, a message): Windows line breaks become Qt's.
inline QString ToQtLines(const Text& gbk) {
  return ToQt(gbk).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace quarvel
