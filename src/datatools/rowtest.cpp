#include "rowtest.h"

#include "core/datetimes.h"
#include "core/numbers.h"
#include "core/text.h"
#include "storage/dataset.h"

#include <cmath>

namespace datatools {

namespace {

bool isBlank(const QVariant &v)
{
    return !v.isValid() || v.isNull();
}

// A number field's cell as a number; a text such a field holds in a damaged file is read as the
// windows read numbers, so one that is no number fails with the conversion error.
double cellNumber(const QVariant &cell)
{
    return cell.typeId() == QMetaType::QString ? core::parseFloat(cell.toString()) : cell.toDouble();
}

template <typename T>
int order(const T &a, const T &b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

// True and False as the grid writes them (any letter case), or a number: zero is false.
bool readTruth(const QString &text, bool *value)
{
    if (text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0) {
        *value = true;
        return true;
    }
    if (text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0) {
        *value = false;
        return true;
    }
    double d = 0;
    if (!core::tryParseFloat(text, &d))
        return false;
    *value = d != 0;
    return true;
}

} // namespace

void RowTest::setCondition(int field, const QString &operatorText, const QString &valueText)
{
    if (m_set && field == m_field && operatorText == m_operatorText && valueText == m_valueText)
        return;
    m_set = true;
    m_field = field;
    m_operatorText = operatorText;
    m_valueText = valueText;
    static const QString ops[] = {QStringLiteral("="), QStringLiteral(">"), QStringLiteral("<"),
                                  QStringLiteral(">="), QStringLiteral("<="), QStringLiteral("Like")};
    static const Op codes[] = {Op::Eq, Op::Gt, Op::Lt, Op::Ge, Op::Le, Op::Like};
    m_op = Op::Other;
    for (int i = 0; i < 6; ++i) {
        if (operatorText == ops[i])
            m_op = codes[i];
    }
    parseValue();
}

void RowTest::parseValue()
{
    m_value = core::trimBlanks(m_valueText);
    m_valueBytes = core::toCp936(m_value);
    m_finder = core::TextFinder(m_value);
    m_number.ok = core::tryParseFloat(m_value, &m_number.value);
    m_fixed.ok = m_number.ok && std::abs(m_number.value) < 9.2e14;
    m_fixed.value = m_fixed.ok ? std::llround(m_number.value * 10000.0) : 0;
    m_dateTime.value = core::readDateTime(m_value);
    m_dateTime.ok = m_dateTime.value.isValid();
    m_time.value = core::readTime(m_value);
    m_time.ok = m_time.value.isValid();
    m_truth.ok = readTruth(m_value, &m_truth.value);
}

bool RowTest::holds(int cmp) const
{
    switch (m_op) {
    case Op::Eq: return cmp == 0;
    case Op::Gt: return cmp > 0;
    case Op::Lt: return cmp < 0;
    case Op::Ge: return cmp >= 0;
    case Op::Le: return cmp <= 0;
    default: return false;
    }
}

std::optional<storage::TextHint> RowTest::hint(const storage::Fields &fields) const
{
    if (m_op != Op::Like)
        return std::nullopt;
    return storage::textHint(fields, {m_field}, m_finder);
}

Verdict RowTest::test(const storage::RowView &row) const
{
    if (m_op == Op::Other)
        return Verdict::Pass;
    if (m_field < 0 || m_field >= row.fields().size())
        return Verdict::Fail;
    const auto verdict = [](bool accept) { return accept ? Verdict::Pass : Verdict::Reject; };
    if (m_op == Op::Like)
        return verdict(row.containsText(m_field, m_finder));

    const storage::FieldDef &field = row.fields()[m_field];
    const QVariant cell = row.value(m_field);
    if (isBlank(cell))
        return verdict(holds(-1)); // blank is smaller than every value

    using storage::FieldKind;
    switch (field.kind) {
    case FieldKind::Alpha:
    case FieldKind::Memo:
    case FieldKind::FmtMemo:
        return verdict(holds(core::compareCp936(core::toCp936(cell.toString()), m_valueBytes)));
    case FieldKind::Short:
    case FieldKind::Long:
    case FieldKind::Float:
    case FieldKind::Money:
        if (!m_number.ok)
            return Verdict::Fail;
        return verdict(holds(order(cellNumber(cell), m_number.value)));
    case FieldKind::Bcd:
        if (!m_fixed.ok)
            return Verdict::Fail;
        return verdict(holds(order(std::llround(cellNumber(cell) * 10000.0), m_fixed.value)));
    case FieldKind::Date:
        if (!m_dateTime.ok)
            return Verdict::Fail;
        return verdict(holds(order(cell.toDate().startOfDay(), m_dateTime.value)));
    case FieldKind::Timestamp:
        if (!m_dateTime.ok)
            return Verdict::Fail;
        return verdict(holds(order(cell.toDateTime(), m_dateTime.value)));
    case FieldKind::Time:
        if (!m_time.ok)
            return Verdict::Fail;
        return verdict(holds(order(cell.toTime(), m_time.value)));
    case FieldKind::Logical:
        if (!m_truth.ok)
            return Verdict::Fail;
        return verdict(holds(order(int(cell.toBool()), int(m_truth.value))));
    }
    return Verdict::Fail;
}

} // namespace datatools
