#include "cellinput.h"

#include "core/datetimes.h"
#include "core/error.h"
#include "core/numbers.h"
#include "core/text.h"

namespace binding {

namespace {

[[noreturn]] void notValid(const QString &text, const char *what)
{
    throw core::Error(QStringLiteral("'%1' is not a valid %2").arg(text, QLatin1String(what)));
}

} // namespace

QVariant readCellText(const storage::FieldDef &field, const QString &text)
{
    using storage::FieldKind;
    if (storage::isTextKind(field.kind))
        return text.isEmpty() && !storage::isMemoKind(field.kind) ? QVariant() : QVariant(text);
    if (core::trimBlanks(text).isEmpty())
        return QVariant();
    switch (field.kind) {
    case FieldKind::Short:
    case FieldKind::Long: return core::parseInt(text);
    case FieldKind::Float:
    case FieldKind::Money:
    case FieldKind::Bcd: return core::parseFloat(text);
    case FieldKind::Date: {
        const QDate d = core::readDate(core::trimBlanks(text));
        if (!d.isValid())
            notValid(text, "date");
        return d;
    }
    case FieldKind::Time: {
        const QTime t = core::readTime(core::trimBlanks(text));
        if (!t.isValid())
            notValid(text, "time");
        return t;
    }
    case FieldKind::Timestamp: {
        const QDateTime dt = core::readDateTime(core::trimBlanks(text));
        if (!dt.isValid())
            notValid(text, "date and time");
        return dt;
    }
    case FieldKind::Logical: {
        const QString t = core::trimBlanks(text);
        if (t.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (t.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
            return false;
        notValid(text, "boolean value");
    }
    default: return text;
    }
}

bool sameStoredValue(const storage::FieldDef &field, const QVariant &typed, const QVariant &stored)
{
    const QVariant a = storage::toStorage(field, typed);
    const QVariant b = storage::toStorage(field, stored);
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    if (a.typeId() == QMetaType::Double || b.typeId() == QMetaType::Double)
        return a.toDouble() == b.toDouble(); // exactly: a value one bit away is another value
    return a == b;
}

} // namespace binding
