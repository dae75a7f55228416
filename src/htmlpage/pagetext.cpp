#include "pagetext.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace htmlpage {

QByteArray declaredCharset(const QByteArray &bytes)
{
    // A declaration comes before the text it governs: the head is enough.
    const QString head = QString::fromLatin1(bytes.left(4096));
    static const QRegularExpression meta(QStringLiteral(R"(<meta\b[^>]*?\bcharset\s*=\s*["']?\s*([A-Za-z0-9._:\-]+))"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = meta.match(head);
    return m.hasMatch() ? m.captured(1).toLatin1().toLower() : QByteArray();
}

QString decodePage(const QByteArray &bytes)
{
    if (const std::optional<QStringConverter::Encoding> bom = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*bom); // the mark itself is not part of the text
        return decoder.decode(bytes);
    }
    QByteArray charset = declaredCharset(bytes);
    if (charset == "gb2312" || charset == "gbk" || charset == "x-gbk" || charset == "cp936" || charset == "windows-936")
        charset = "GB18030";
    if (!charset.isEmpty()) {
        QStringDecoder declared(charset.constData());
        if (declared.isValid())
            return declared.decode(bytes);
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder gb18030("GB18030");
    return gb18030.decode(bytes);
}

} // namespace htmlpage
