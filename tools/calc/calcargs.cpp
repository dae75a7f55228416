#include "calcargs.h"

#include "commands.h"

#include "core/error.h"
#include "core/numbers.h"
#include "fits/fitinputs.h"

#include <QStringList>

float parseSize(const QString &text)
{
    // The size box takes at most 5 characters and refuses texts that begin with a letter.
    if (text.size() > fits::maxSizeLength || fits::checkSizeEdit(text) != fits::SizeEdit::Fine)
        throw Refusal{fits::notice::sizeRange};
    const std::optional<float> size = fits::acceptedSize(text);
    if (!size)
        throw Refusal{fits::notice::sizeRange};
    return *size;
}

int readEntries(const std::function<void()> &read)
{
    try {
        read();
        return 0;
    } catch (const Refusal &refusal) {
        printErr(refusal.text);
    } catch (const core::Error &error) { // a size that is not a number
        printErr(error.text());
    }
    return 2;
}

int answerFromDatabase(const std::function<int()> &answer)
{
    try {
        return answer();
    } catch (const core::Error &error) {
        printErr(error.text());
        return 3;
    }
}

QString pointDecimal(const QString &shown)
{
    QString text = shown;
    return text.replace(core::decimalSeparator(), u'.');
}

QString jsonString(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == u'"' || c == u'\\')
            out += u'\\' + QString(c);
        else if (c.unicode() < 0x20)
            out += QStringLiteral("\\u%1").arg(int(c.unicode()), 4, 16, QChar(u'0'));
        else
            out += c;
    }
    return out + u'"';
}

QString jsonObject(const QList<QPair<QString, QString>> &members)
{
    QStringList parts;
    for (const auto &[key, value] : members)
        parts << jsonString(key) + u':' + jsonString(value);
    return u'{' + parts.join(u',') + u'}';
}
