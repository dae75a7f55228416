#include "datetimes.h"

#include <QLocale>
#include <QStringList>

namespace core {

namespace {

// The locale's time format with seconds: after the minutes when the short format lacks them.
QString timeFormatWithSeconds(const QLocale &locale)
{
    QString format = locale.timeFormat(QLocale::ShortFormat);
    if (format.contains(u's'))
        return format;
    const qsizetype minutes = format.indexOf(QStringLiteral("mm"));
    if (minutes < 0)
        return QStringLiteral("HH:mm:ss");
    // the separator the format puts before the minutes (":" nearly everywhere)
    qsizetype from = minutes;
    while (from > 0 && !QStringLiteral("hH").contains(format[from - 1]))
        --from;
    const QString separator = from > 0 ? format.mid(from, minutes - from) : QStringLiteral(":");
    return format.insert(minutes + 2, separator + QStringLiteral("ss"));
}

struct Formats {
    QLocale locale = QLocale::system();
    QString date = locale.dateFormat(QLocale::ShortFormat);
    QString time = timeFormatWithSeconds(locale);
    QString dateTime = date + u' ' + time;
    QStringList dates{date, locale.dateFormat(QLocale::LongFormat)};
    QStringList times{time, locale.timeFormat(QLocale::ShortFormat), locale.timeFormat(QLocale::LongFormat)};
    QStringList dateTimes{dateTime, locale.dateTimeFormat(QLocale::ShortFormat),
                          locale.dateTimeFormat(QLocale::LongFormat)};
};

const Formats &formats()
{
    // Read once, as the program starts, like the decimal separator.
    static const Formats f;
    return f;
}

// Where the two-digit year ("yy", not part of "yyyy") of `format` lies in `text`, found by
// following the format's numeric day and month fields and its literal characters up to it.
// False when the format has no such year, or the text does not follow the format that far.
bool findTwoDigitYear(const QString &format, const QString &text, qsizetype *formatAt, qsizetype *textAt)
{
    qsizetype t = 0;
    for (qsizetype f = 0; f < format.size();) {
        const QChar c = format[f];
        if (c == u'\'')
            return false; // quoted text: not met in the formats that write two-digit years
        qsizetype run = 1;
        while (f + run < format.size() && format[f + run] == c)
            ++run;
        if (c == u'y') {
            if (run != 2)
                return false;
            if (t + 2 > text.size() || !text[t].isDigit() || !text[t + 1].isDigit()
                || (t + 2 < text.size() && text[t + 2].isDigit()))
                return false;
            *formatAt = f;
            *textAt = t;
            return true;
        }
        if (c == u'd' || c == u'M') {
            if (run > 2)
                return false; // names of days or months
            const qsizetype start = t;
            while (t < text.size() && t - start < 2 && text[t].isDigit())
                ++t;
            if (t == start)
                return false;
        } else if (c.isLetter()) {
            return false; // a time field before the year
        } else {
            for (qsizetype k = 0; k < run; ++k, ++t) {
                if (t >= text.size() || text[t] != c)
                    return false;
            }
        }
        f += run;
    }
    return false;
}

// The format as read: numeric fields of two digits ("dd", "MM", "HH", "mm", "ss") take one digit
// too, as users type "5.1.24" for the grid's "05.01.24". Names and quoted texts stay.
QString readingFormat(const QString &format)
{
    QString out;
    bool quoted = false;
    for (qsizetype f = 0; f < format.size();) {
        const QChar c = format[f];
        qsizetype run = 1;
        while (f + run < format.size() && format[f + run] == c)
            ++run;
        if (c == u'\'' && run % 2) // '' is a quote character
            quoted = !quoted;
        const bool twoDigits = !quoted && run == 2 && QStringLiteral("dMHhms").contains(c);
        out += twoDigits ? QString(c) : format.mid(f, run);
        f += run;
    }
    return out;
}

// Reads `text` in `format` (a QDate, QTime or QDateTime, by what `read` returns), its two-digit
// year taken in the window, or as written with four digits.
template <typename Read>
auto readIn(const QString &written, const QString &text, Read read)
{
    const QString format = readingFormat(written);
    qsizetype formatAt = 0;
    qsizetype textAt = 0;
    if (findTwoDigitYear(format, text, &formatAt, &textAt)) {
        const int year = windowedYear(text.mid(textAt, 2).toInt(), QDate::currentDate().year());
        QString fullText = text;
        fullText.replace(textAt, 2, QString::number(year));
        QString fullFormat = format;
        fullFormat.replace(formatAt, 2, QStringLiteral("yyyy"));
        return read(fullText, fullFormat);
    }
    auto value = read(text, format);
    if (!value.isValid() && format.contains(QStringLiteral("yy")) && !format.contains(QStringLiteral("yyyy"))) {
        QString fullFormat = format;
        value = read(text, fullFormat.replace(QStringLiteral("yy"), QStringLiteral("yyyy")));
    }
    return value;
}

} // namespace

int windowedYear(int twoDigits, int thisYear)
{
    const int first = thisYear - 80;
    int year = first - first % 100 + twoDigits;
    if (year < first)
        year += 100;
    return year;
}

QString dateText(const QDate &date)
{
    return formats().locale.toString(date, formats().date);
}

QString timeText(const QTime &time)
{
    return formats().locale.toString(time, formats().time);
}

QString dateTimeText(const QDateTime &dateTime)
{
    return formats().locale.toString(dateTime, formats().dateTime);
}

QDate readDate(const QString &text)
{
    const QLocale &locale = formats().locale;
    const auto read = [&locale](const QString &t, const QString &f) { return locale.toDate(t, f); };
    for (const QString &format : formats().dates) {
        const QDate d = readIn(format, text, read);
        if (d.isValid())
            return d;
    }
    return QDate::fromString(text, Qt::ISODate);
}

QTime readTime(const QString &text)
{
    const QLocale &locale = formats().locale;
    for (const QString &format : formats().times) {
        const QTime t = locale.toTime(text, readingFormat(format));
        if (t.isValid())
            return t;
    }
    return QTime::fromString(text, Qt::ISODate);
}

QDateTime readDateTime(const QString &text)
{
    const QLocale &locale = formats().locale;
    const auto read = [&locale](const QString &t, const QString &f) { return locale.toDateTime(t, f); };
    for (const QString &format : formats().dateTimes) {
        const QDateTime dt = readIn(format, text, read);
        if (dt.isValid())
            return dt;
    }
    const QDateTime iso = QDateTime::fromString(text, Qt::ISODate);
    if (iso.isValid())
        return iso;
    const QDate date = readDate(text);
    return date.isValid() ? date.startOfDay() : QDateTime();
}

} // namespace core
