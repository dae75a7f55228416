#pragma once
#include <QByteArray>
#include <QString>

namespace htmlpage {

// The text of an HTML page (or style sheet) from its bytes: by its byte-order mark, else by the
// charset its meta tag declares, else as UTF-8 when the bytes are valid UTF-8, else as GB18030
// (older pages are written in code page 936 without a word about it). GB2312 and GBK are read
// as GB18030, which holds them both.
QString decodePage(const QByteArray &bytes);

// The charset a page declares in a meta tag near its start (lower case), or empty.
QByteArray declaredCharset(const QByteArray &bytes);

} // namespace htmlpage
