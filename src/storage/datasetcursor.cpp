#include "dataset.h"

#include "error.h"

#include "core/numbers.h"

#include <algorithm>

// The current row of a dataset: moves, field look-up, values and locate.
namespace storage {

void Dataset::first()
{
    checkBrowseMode();
    m_current = 0;
    m_bof = true;
    m_eof = m_rows.isEmpty();
    emit currentChanged();
}

void Dataset::next()
{
    checkBrowseMode();
    if (m_current + 1 < m_rows.size()) {
        ++m_current;
        m_bof = false;
        m_eof = false;
        emit currentChanged();
    } else {
        m_eof = true;
    }
}

void Dataset::prior()
{
    checkBrowseMode();
    if (m_current > 0 && !m_rows.isEmpty()) {
        --m_current;
        m_bof = false;
        m_eof = false;
        emit currentChanged();
    } else {
        m_bof = true;
    }
}

void Dataset::last()
{
    checkBrowseMode();
    m_current = std::max(0, int(m_rows.size()) - 1);
    m_eof = true;
    m_bof = m_rows.isEmpty();
    emit currentChanged();
}

bool Dataset::eof() const
{
    return !isOpen() || m_eof || m_rows.isEmpty();
}

bool Dataset::bof() const
{
    return !isOpen() || m_bof || m_rows.isEmpty();
}

int Dataset::recordCount() const
{
    return int(m_rows.size());
}

void Dataset::setCurrentIndex(int index)
{
    checkBrowseMode();
    if (index < 0 || index >= m_rows.size() || index == m_current)
        return;
    m_current = index;
    m_bof = m_eof = false;
    emit currentChanged();
}

int Dataset::fieldIndex(const QString &name) const
{
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

const FieldDef &Dataset::field(const QString &name) const
{
    const int i = fieldIndex(name);
    if (i < 0)
        throw Error(QStringLiteral("Field '%1' not found").arg(name));
    return m_fields[i];
}

void Dataset::setDisplayWidth(int field, int width)
{
    if (field >= 0 && field < m_fields.size())
        m_fields[field].displayWidth = width;
}

QVariant Dataset::value(int field) const
{
    requireOpen();
    if (field < 0 || field >= m_fields.size())
        throw Error(QStringLiteral("Field index out of range: %1").arg(field));
    if (m_state == State::Edit || m_state == State::Insert)
        return m_buffer[field];
    if (m_rows.isEmpty())
        return isMemoKind(m_fields[field].kind) ? QVariant(QString()) : QVariant();
    return fetch(m_rows[m_current])[field];
}

QVariant Dataset::value(const QString &name) const
{
    requireOpen();
    return value(int(&field(name) - m_fields.constData()));
}

QString Dataset::text(const QString &name) const
{
    const FieldDef &f = field(name);
    return plainText(f, value(name));
}

double Dataset::number(const QString &name) const
{
    const QVariant v = value(name);
    if (v.isNull() || !v.isValid())
        return 0;
    if (v.typeId() == QMetaType::QString) {
        // a number stored as text is written as files write numbers: '.' whatever the locale
        double d = 0;
        if (!core::tryParseFloat(v.toString(), &d, u'.'))
            throw Error(QStringLiteral("'%1' is not a valid floating point value").arg(v.toString()));
        return d;
    }
    return v.toDouble();
}

QVariant Dataset::valueAt(int row, int field) const
{
    if (!isOpen() || row < 0 || row >= m_rows.size() || field < 0 || field >= m_fields.size())
        return QVariant();
    if (row == m_current && (m_state == State::Edit))
        return m_buffer[field];
    return fetch(m_rows[row])[field];
}

bool Dataset::locate(const QString &fieldName, const QVariant &wanted, LocateOptions options)
{
    checkBrowseMode();
    const int fi = int(&field(fieldName) - m_fields.constData());
    const FieldDef &f = m_fields[fi];
    const bool textual = isTextKind(f.kind);
    const QString wantedText = wanted.toString();
    const bool wantBlank = !wanted.isValid() || wanted.isNull();
    double wantedNumber = 0;
    if (!textual && !wantBlank) {
        // A value that is no number matches no row of a number field.
        const bool number = wanted.typeId() == QMetaType::QString ? core::tryParseFloat(wantedText, &wantedNumber)
                                                                  : wanted.canConvert<double>();
        if (!number)
            return false;
        if (wanted.typeId() != QMetaType::QString)
            wantedNumber = wanted.toDouble();
    }
    const int found = scan(0, [&](int, const RowView &row) {
        const QVariant v = row.value(fi);
        if (wantBlank)
            return !(v.isNull() || !v.isValid());
        if (v.isNull() || !v.isValid())
            return true;
        if (!textual) {
            // A text held by a number field matches only the number it reads as.
            double number = v.toDouble();
            if (v.typeId() == QMetaType::QString && !core::tryParseFloat(v.toString(), &number))
                return true;
            return number != wantedNumber;
        }
        const QString s = v.toString();
        const Qt::CaseSensitivity cs = options.caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
        const bool match = options.partialKey ? s.startsWith(wantedText, cs) : s.compare(wantedText, cs) == 0;
        return !match;
    });
    if (found >= m_rows.size())
        return false;
    m_current = found;
    m_bof = m_eof = false;
    emit currentChanged();
    return true;
}

} // namespace storage
