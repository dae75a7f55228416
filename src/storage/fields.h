#pragma once
#include <QByteArrayView>
#include <QString>
#include <QVariant>
#include <QVector>

struct sqlite3_stmt;
struct sqlite3_value;

namespace core {
class TextFinder;
}

namespace storage {

// The field kinds of the table files. Codes are one letter each, as written in content schemas:
// A alphanumeric (with a size), M memo, F formatted memo, S short, I long, N float, $ money,
// # BCD, D date, T time, @ timestamp, L logical.
enum class FieldKind { Alpha, Memo, FmtMemo, Short, Long, Float, Money, Bcd, Date, Time, Timestamp, Logical };

struct FieldDef {
    QString name;
    FieldKind kind = FieldKind::Alpha;
    int size = 0;          // alphanumeric: bytes of the code page 936 form; memo: declared size
    int displayWidth = 0;  // characters shown in a grid column
};

using Fields = QVector<FieldDef>;

QChar kindCode(FieldKind kind);
bool kindFromCode(QChar code, FieldKind *kind);
// Parses "name:A20", "name:S", "基本尺寸:N" (the kind defaults to A with size 255 when missing).
FieldDef parseFieldSpec(const QString &spec);
QString fieldSpec(const FieldDef &field);

bool isTextKind(FieldKind kind);    // alphanumeric and memo kinds
bool isMemoKind(FieldKind kind);    // memo kinds: never blank
bool isIntegerKind(FieldKind kind); // short, long
bool isFloatKind(FieldKind kind);   // float, money
bool isNumberKind(FieldKind kind);  // integer, float and BCD kinds: plain text is number text
int defaultDisplayWidth(const FieldDef &field);
// Declared SQLite type whose affinity never rewrites a stored value ("0101" stays text).
QString sqlType(FieldKind kind);

// Converts a value to what is stored for the field (NULL for a blank; an empty text stored into
// anything but a memo is blank; alphanumeric texts cut at the last whole character that fits).
// Throws storage::Error when the value does not convert to the field's kind.
QVariant toStorage(const FieldDef &field, const QVariant &value);
// Reads a stored column back as the field's value: null for blank, memo NULL as empty text.
QVariant fromStorage(const FieldDef &field, sqlite3_stmt *stmt, int column);

// A stored column as read for its value and its plain text form, without building a QVariant
// (walks over many cells use it directly).
struct StoredCell {
    enum class Form {
        Blank,     // no value, no text
        Text,      // utf8 is the text (valid until the statement moves on)
        Number,    // number; text formatNumber(number)
        Integer,   // integer; text its decimal digits
        Truth,     // integer 0 or 1; text False or True
        DateText,  // utf8 is the stored ISO text; the value and its text depend on it alone
    };
    Form form = Form::Blank;
    QByteArrayView utf8;
    double number = 0;
    qint64 integer = 0;
};
StoredCell storedCell(const FieldDef &field, sqlite3_stmt *stmt, int column);
StoredCell storedCell(const FieldDef &field, sqlite3_value *value);
// The number text of a Number or Integer cell (ASCII, '.' for the separator), written into
// digits (core::numberTextCapacity bytes); empty for the other forms.
QByteArrayView numberText(const StoredCell &cell, char *digits);
QVariant storedValue(const FieldDef &field, const StoredCell &cell);

// Plain text form of a non-blank value: texts as stored, numbers as in core::formatNumber,
// dates, times and logicals in the user's locale.
QString plainText(const FieldDef &field, const QVariant &value);
// Every character a date's plain text can hold in the user's locale (digits, the short format's
// own characters, month and day names), so a search for anything else can pass date cells by.
const QString &dateTextCharacters();
// The same texts, and whether they hold a finder's text (never for a blank cell), straight from
// a stored cell: texts and numbers are read without building a QVariant.
QString plainText(const FieldDef &field, const StoredCell &cell);
bool containsText(const FieldDef &field, const StoredCell &cell, const core::TextFinder &finder);
// False when no cell of the field can show a text holding the finder's text (number text holds
// only its own characters, a date only those of the locale's dates): such cells need not be read.
bool mayHold(const FieldDef &field, const core::TextFinder &finder);

} // namespace storage
