#include "pagetext.h"

#include <QFile>
#include <QStringDecoder>
#include <QTextDocument>

namespace fulltext {

QString pageText(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray bytes = f.readAll();
    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Utf8);
    QTextDocument document;
    document.setHtml(decoder(bytes));
    return document.toPlainText();
}

qsizetype occurrenceAt(const QString &text, const QString &needle, int n)
{
    if (needle.isEmpty())
        return -1;
    qsizetype at = text.indexOf(needle, 0, Qt::CaseSensitive);
    for (int i = 0; i < n && at >= 0; ++i)
        at = text.indexOf(needle, at + needle.size(), Qt::CaseSensitive);
    return at;
}

} // namespace fulltext
