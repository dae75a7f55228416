#include "rowviews.h"

#include "error.h"

#include "core/textfinder.h"

#include <sqlite3.h>

#include <optional>

namespace storage {

void checkField(const Fields &fields, int field)
{
    if (field < 0 || field >= fields.size())
        throw Error(QStringLiteral("Field index out of range: %1").arg(field));
}

QVariant StatementRow::value(int field) const
{
    const int col = column(field);
    return col < 0 ? m_other(field) : fromStorage(m_fields->at(field), m_stmt, col);
}

QString StatementRow::plainText(int field) const
{
    const int col = column(field);
    if (col < 0)
        return RowView::plainText(field);
    const StoredCell cell = storedCell(m_fields->at(field), m_stmt, col);
    return cell.form == StoredCell::Form::DateText ? dateText(field, cell)
                                                   : storage::plainText(m_fields->at(field), cell);
}

bool StatementRow::appendText(int field, QByteArray &to) const
{
    const int col = column(field);
    if (col < 0)
        return RowView::appendText(field, to);
    const StoredCell cell = storedCell(m_fields->at(field), m_stmt, col);
    if (cell.form != StoredCell::Form::Text)
        return RowView::appendText(field, to);
    to.append(cell.utf8);
    return true;
}

bool StatementRow::containsText(int field, const core::TextFinder &finder) const
{
    const int col = column(field);
    const FieldDef &f = m_fields->at(field);
    // A number field of a file may hold a text that is no number: only its stored type tells.
    const bool text = isNumberKind(f.kind) && (col < 0 || sqlite3_column_type(m_stmt, col) == SQLITE_TEXT);
    if (!text && !mayHold(f, finder))
        return false; // not even read
    if (col < 0)
        return RowView::containsText(field, finder);
    const StoredCell cell = storedCell(f, m_stmt, col);
    if (cell.form == StoredCell::Form::DateText)
        return finder.in(dateText(field, cell));
    return storage::containsText(m_fields->at(field), cell, finder);
}

int StatementRow::column(int field) const
{
    checkField(*m_fields, field);
    return m_columns->at(field);
}

QString StatementRow::dateText(int field, const StoredCell &cell) const
{
    static constexpr qsizetype kept = 16384;
    if (m_dateTexts.isEmpty())
        m_dateTexts.resize(m_fields->size());
    QHash<QByteArray, QString> &texts = m_dateTexts[field];
    const auto it = texts.constFind(QByteArray::fromRawData(cell.utf8.data(), cell.utf8.size()));
    if (it != texts.constEnd())
        return *it;
    const QString text = storage::plainText(m_fields->at(field), cell);
    if (texts.size() < kept)
        texts.insert(cell.utf8.toByteArray(), text);
    return text;
}

QVariant CachedRow::value(int field) const
{
    checkField(*m_fields, field);
    return m_values->at(field);
}

std::optional<TextHint> textHint(const Fields &all, const QVector<int> &fields, const core::TextFinder &finder)
{
    TextHint hint{fields, finder.utf8().toByteArray(), finder.numberForm().toByteArray()};
    for (int f : fields) {
        if (f < 0 || f >= all.size())
            return std::nullopt;
        // A number field is decided even without a number form (no number text holds the text),
        // but its cells that hold texts are tested on their bytes.
        const FieldKind kind = all[f].kind;
        if (!((isNumberKind(kind) || isTextKind(kind)) && !hint.utf8.isEmpty()))
            return std::nullopt;
    }
    return hint;
}

QString RowView::plainText(int field) const
{
    const QVariant v = value(field); // checks the field
    return storage::plainText(fields()[field], v);
}

bool RowView::appendText(int field, QByteArray &to) const
{
    const QVariant v = value(field);
    if (!v.isValid() || v.isNull())
        return false;
    to.append(v.toString().toUtf8());
    return true;
}

bool RowView::containsText(int field, const core::TextFinder &finder) const
{
    const QVariant v = value(field);
    return !v.isNull() && finder.in(storage::plainText(fields()[field], v));
}

} // namespace storage
