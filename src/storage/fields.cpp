#include "fields.h"

#include "core/datetimes.h"
#include "core/numbers.h"
#include "core/text.h"
#include "core/textfinder.h"
#include "error.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>

#include <sqlite3.h>

#include <charconv>
#include <cmath>
#include <iterator>

namespace storage {

namespace {
constexpr char16_t codes[] = u"AMFSIN$#DT@L";
}

QChar kindCode(FieldKind kind)
{
    return QChar(codes[int(kind)]);
}

bool kindFromCode(QChar code, FieldKind *kind)
{
    for (int i = 0; codes[i]; ++i) {
        if (code == QChar(codes[i])) {
            *kind = FieldKind(i);
            return true;
        }
    }
    return false;
}

FieldDef parseFieldSpec(const QString &spec)
{
    FieldDef f;
    const qsizetype colon = spec.lastIndexOf(u':');
    QString type;
    if (colon > 0) {
        f.name = spec.left(colon);
        type = spec.mid(colon + 1).trimmed();
    } else {
        f.name = spec;
    }
    f.kind = FieldKind::Alpha;
    f.size = 255;
    if (!type.isEmpty()) {
        if (!kindFromCode(type[0], &f.kind))
            throw Error(QStringLiteral("Unknown field type '%1' of field '%2'").arg(type, f.name));
        f.size = type.size() > 1 ? type.mid(1).toInt() : (f.kind == FieldKind::Alpha ? 255 : 0);
    }
    f.displayWidth = defaultDisplayWidth(f);
    return f;
}

QString fieldSpec(const FieldDef &field)
{
    QString s = field.name + u':' + kindCode(field.kind);
    if (field.size > 0)
        s += QString::number(field.size);
    return s;
}

bool isTextKind(FieldKind k)
{
    return k == FieldKind::Alpha || isMemoKind(k);
}

bool isMemoKind(FieldKind k)
{
    return k == FieldKind::Memo || k == FieldKind::FmtMemo;
}

bool isIntegerKind(FieldKind k)
{
    return k == FieldKind::Short || k == FieldKind::Long;
}

bool isFloatKind(FieldKind k)
{
    return k == FieldKind::Float || k == FieldKind::Money;
}

bool isNumberKind(FieldKind k)
{
    return isIntegerKind(k) || isFloatKind(k) || k == FieldKind::Bcd;
}

int defaultDisplayWidth(const FieldDef &f)
{
    switch (f.kind) {
    case FieldKind::Alpha: return f.size;
    case FieldKind::Short: return 6;
    case FieldKind::Long: return 11;
    case FieldKind::Logical: return 5;
    case FieldKind::Date: return 10;
    case FieldKind::Time: return 10;
    case FieldKind::Timestamp: return 18;
    default: return 10;
    }
}

QString sqlType(FieldKind k)
{
    switch (k) {
    case FieldKind::Short:
    case FieldKind::Long:
    case FieldKind::Logical:
    case FieldKind::Bcd: return QStringLiteral("INTEGER");
    case FieldKind::Float:
    case FieldKind::Money: return QStringLiteral("REAL");
    default: return QStringLiteral("TEXT");
    }
}

namespace {

[[noreturn]] void badValue(const FieldDef &f, const QVariant &v)
{
    throw Error(QStringLiteral("'%1' is not a valid value for field '%2'").arg(v.toString(), f.name));
}

double toDouble(const FieldDef &f, const QVariant &v)
{
    if (v.typeId() == QMetaType::QString) {
        // A text given to the engine is in the files' form, as dates are ISO: '.' separates.
        double d = 0;
        if (!core::tryParseFloat(v.toString(), &d, u'.'))
            badValue(f, v);
        return d;
    }
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok)
        badValue(f, v);
    return d;
}

} // namespace

QVariant toStorage(const FieldDef &f, const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return isMemoKind(f.kind) ? QVariant(QString()) : QVariant();
    if (value.typeId() == QMetaType::QString && value.toString().isEmpty() && !isMemoKind(f.kind))
        return QVariant();
    switch (f.kind) {
    case FieldKind::Alpha: {
        const QString s = value.toString();
        return f.size > 0 ? core::cutToCp936Bytes(s, f.size) : s;
    }
    case FieldKind::Memo:
    case FieldKind::FmtMemo: return value.toString();
    case FieldKind::Short:
    case FieldKind::Long: {
        // The range is checked on the number itself: a value beyond it never wraps.
        const double d = toDouble(f, value);
        const double low = f.kind == FieldKind::Short ? -32768.0 : double(INT32_MIN);
        const double high = f.kind == FieldKind::Short ? 32767.0 : double(INT32_MAX);
        if (d != std::floor(d) || !(d >= low && d <= high))
            badValue(f, value);
        return qint64(d);
    }
    case FieldKind::Float:
    case FieldKind::Money: return toDouble(f, value);
    case FieldKind::Bcd: {
        // Stored as whole ten-thousandths in 64 bits: a value past that (or not finite) is refused.
        const double scaled = std::round(toDouble(f, value) * 10000.0);
        if (!(std::fabs(scaled) < 9.2e18))
            badValue(f, value);
        return qint64(scaled);
    }
    case FieldKind::Logical: {
        if (value.typeId() == QMetaType::QString) {
            const QString s = value.toString().trimmed().toLower();
            if (s == u"true" || s == u"1" || s == u"t" || s == u"是")
                return qint64(1);
            if (s == u"false" || s == u"0" || s == u"f" || s == u"否")
                return qint64(0);
            badValue(f, value);
        }
        return qint64(value.toBool() ? 1 : 0);
    }
    case FieldKind::Date: {
        QDate d = value.typeId() == QMetaType::QString ? QDate::fromString(value.toString(), Qt::ISODate)
                                                        : value.toDate();
        if (!d.isValid())
            badValue(f, value);
        return d.toString(Qt::ISODate);
    }
    case FieldKind::Time: {
        QTime t = value.typeId() == QMetaType::QString ? QTime::fromString(value.toString(), Qt::ISODate)
                                                        : value.toTime();
        if (!t.isValid())
            badValue(f, value);
        return t.toString(Qt::ISODate);
    }
    case FieldKind::Timestamp: {
        QDateTime t = value.typeId() == QMetaType::QString
                          ? QDateTime::fromString(value.toString(), Qt::ISODate)
                          : value.toDateTime();
        if (!t.isValid())
            badValue(f, value);
        return t.toString(Qt::ISODate);
    }
    }
    return value;
}

namespace {

// A number field's cell. A file written by another tool may hold a text that is no number there:
// the cell then shows that text (and reading it as a number fails), never a 0.
void numberCell(FieldKind kind, sqlite3_value *value, int type, StoredCell *cell)
{
    using Form = StoredCell::Form;
    double number = 0;
    qint64 integer = 0;
    bool whole = type == SQLITE_INTEGER;
    if (whole) {
        integer = sqlite3_value_int64(value);
        number = double(integer);
    } else if (type == SQLITE_FLOAT) {
        number = sqlite3_value_double(value);
        whole = number == std::floor(number) && std::fabs(number) < 9.0e15;
        integer = whole ? qint64(number) : 0;
    } else {
        const char *bytes = reinterpret_cast<const char *>(sqlite3_value_text(value));
        const char *end = bytes + sqlite3_value_bytes(value);
        const auto [atInteger, integerError] = std::from_chars(bytes, end, integer);
        whole = integerError == std::errc() && atInteger == end && bytes != end;
        const auto [atNumber, numberError] = std::from_chars(bytes, end, number);
        const bool read = numberError == std::errc() && atNumber == end && bytes != end && std::isfinite(number);
        if (!whole && !read) {
            cell->form = Form::Text;
            cell->utf8 = QByteArrayView(bytes, end - bytes);
            return;
        }
        if (whole)
            number = double(integer);
        else if (number == std::floor(number) && std::fabs(number) < 9.0e15) {
            whole = true;
            integer = qint64(number);
        }
    }
    if (kind == FieldKind::Bcd) {
        cell->form = Form::Number;
        cell->number = number / 10000.0;
    } else if (isIntegerKind(kind) && whole) {
        cell->form = Form::Integer;
        cell->integer = integer;
    } else {
        cell->form = Form::Number; // a fraction in an integer field shows as it is
        cell->number = number;
    }
}

} // namespace

StoredCell storedCell(const FieldDef &f, sqlite3_stmt *stmt, int col)
{
    // Read through the column's value object: the same conversions as the column calls, without
    // their checks on every call (a connection is used by one thread at a time).
    return storedCell(f, sqlite3_column_value(stmt, col));
}

StoredCell storedCell(const FieldDef &f, sqlite3_value *value)
{
    using Form = StoredCell::Form;
    StoredCell cell;
    const int type = sqlite3_value_type(value);
    if (type == SQLITE_NULL) {
        cell.form = isMemoKind(f.kind) ? Form::Text : Form::Blank; // a memo reads as empty text
        return cell;
    }
    auto text = [value] {
        const char *bytes = reinterpret_cast<const char *>(sqlite3_value_text(value));
        return QByteArrayView(bytes, sqlite3_value_bytes(value));
    };
    switch (f.kind) {
    case FieldKind::Alpha:
    case FieldKind::Memo:
    case FieldKind::FmtMemo:
        cell.form = Form::Text;
        cell.utf8 = text();
        break;
    case FieldKind::Short:
    case FieldKind::Long:
    case FieldKind::Float:
    case FieldKind::Money:
    case FieldKind::Bcd: numberCell(f.kind, value, type, &cell); break;
    case FieldKind::Logical:
        cell.form = Form::Truth;
        cell.integer = sqlite3_value_int64(value) != 0;
        break;
    case FieldKind::Date:
    case FieldKind::Time:
    case FieldKind::Timestamp:
        cell.form = Form::DateText;
        cell.utf8 = text();
        break;
    }
    return cell;
}

QVariant storedValue(const FieldDef &f, const StoredCell &cell)
{
    switch (cell.form) {
    case StoredCell::Form::Blank: return QVariant();
    case StoredCell::Form::Text: return QString::fromUtf8(cell.utf8);
    case StoredCell::Form::Number: return cell.number;
    case StoredCell::Form::Integer:
        return cell.integer == int(cell.integer) ? QVariant(int(cell.integer)) : QVariant(cell.integer);
    case StoredCell::Form::Truth: return cell.integer != 0;
    case StoredCell::Form::DateText: break;
    }
    const QString text = QString::fromUtf8(cell.utf8);
    if (f.kind == FieldKind::Date)
        return QDate::fromString(text, Qt::ISODate);
    if (f.kind == FieldKind::Time)
        return QTime::fromString(text, Qt::ISODate);
    return QDateTime::fromString(text, Qt::ISODate);
}

QVariant fromStorage(const FieldDef &f, sqlite3_stmt *stmt, int col)
{
    return storedValue(f, storedCell(f, stmt, col));
}

QString plainText(const FieldDef &f, const StoredCell &cell)
{
    switch (cell.form) {
    case StoredCell::Form::Blank: return QString();
    case StoredCell::Form::Text: return QString::fromUtf8(cell.utf8);
    case StoredCell::Form::Number: return core::formatNumber(cell.number);
    case StoredCell::Form::Integer: return QString::number(cell.integer);
    default: return plainText(f, storedValue(f, cell));
    }
}

QByteArrayView numberText(const StoredCell &cell, char *digits)
{
    switch (cell.form) {
    case StoredCell::Form::Number: return QByteArrayView(digits, core::formatNumberAscii(cell.number, digits));
    case StoredCell::Form::Integer:
        return QByteArrayView(digits, std::to_chars(digits, digits + core::numberTextCapacity, cell.integer).ptr);
    default: return {};
    }
}

bool containsText(const FieldDef &f, const StoredCell &cell, const core::TextFinder &finder)
{
    char digits[core::numberTextCapacity];
    switch (cell.form) {
    case StoredCell::Form::Blank: return false;
    case StoredCell::Form::Text: return finder.inUtf8(cell.utf8);
    case StoredCell::Form::Number:
    case StoredCell::Form::Integer: return finder.inNumberText(numberText(cell, digits));
    default: {
        const QVariant value = storedValue(f, cell);
        return !value.isNull() && finder.in(plainText(f, value));
    }
    }
}

bool mayHold(const FieldDef &f, const core::TextFinder &finder)
{
    if (isNumberKind(f.kind))
        return finder.fitsNumberText();
    if (f.kind == FieldKind::Date)
        return finder.usesOnly(dateTextCharacters());
    return true;
}

QString plainText(const FieldDef &f, const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return QString();
    // A text is shown as it is, also in a number field of a file that holds one there.
    if (v.typeId() == QMetaType::QString)
        return v.toString();
    switch (f.kind) {
    case FieldKind::Alpha:
    case FieldKind::Memo:
    case FieldKind::FmtMemo: return v.toString();
    case FieldKind::Short:
    case FieldKind::Long: return QString::number(v.toLongLong());
    case FieldKind::Float:
    case FieldKind::Money: return core::formatNumber(v.toDouble());
    case FieldKind::Bcd: return core::formatNumber(v.toDouble());
    case FieldKind::Logical: return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case FieldKind::Date: return core::dateText(v.toDate());
    case FieldKind::Time: return core::timeText(v.toTime());
    case FieldKind::Timestamp: return core::dateTimeText(v.toDateTime());
    }
    return v.toString();
}

const QString &dateTextCharacters()
{
    static QString locale;
    static QString characters;
    const QLocale l = QLocale::system();
    if (characters.isEmpty() || locale != l.name()) {
        locale = l.name();
        characters = QStringLiteral("0123456789") + l.toString(1234567890) + l.dateFormat(QLocale::ShortFormat);
        for (int m = 1; m <= 12; ++m) {
            for (QLocale::FormatType t : {QLocale::ShortFormat, QLocale::LongFormat, QLocale::NarrowFormat})
                characters += l.monthName(m, t) + l.standaloneMonthName(m, t);
        }
        for (int d = 1; d <= 7; ++d) {
            for (QLocale::FormatType t : {QLocale::ShortFormat, QLocale::LongFormat, QLocale::NarrowFormat})
                characters += l.dayName(d, t) + l.standaloneDayName(d, t);
        }
    }
    return characters;
}

} // namespace storage
