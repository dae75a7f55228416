#pragma once
#include "core/textfinder.h"
#include "storage/dataset.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace datatools {

// What the data query decides for one row. Fail: the condition cannot be applied to the row
// (no field chosen, a field beyond the table, a value that does not read as the cell's kind);
// the row then passes and the user is told the condition is wrong.
enum class Verdict { Pass, Reject, Fail };

// The row test of the data query. The condition is what the query window holds when the row is
// read: the field position (-1 for none), the operator text as typed and the untrimmed value.
// setCondition is cheap when nothing changed, so it can be called for every row of a long walk.
class RowTest {
public:
    void setCondition(int field, const QString &operatorText, const QString &valueText);
    Verdict test(const storage::RowView &row) const;
    // What a row must hold for test to pass it, where the file can check that first: a Like on a
    // text or number field. None for every other condition.
    std::optional<storage::TextHint> hint(const storage::Fields &fields) const;
    // Whether the operator text is one of the six; any other lets every row pass.
    bool operatorKnown() const { return m_op != Op::Other; }

private:
    enum class Op { Other, Eq, Gt, Lt, Ge, Le, Like };
    template <typename T>
    struct Reading {
        bool ok = false;
        T value{};
    };
    void parseValue();
    bool holds(int order) const; // whether "cell <op> value" holds for a three-way order

    int m_field = -1;
    QString m_operatorText;
    QString m_valueText;
    bool m_set = false;

    Op m_op = Op::Other;
    QString m_value; // trimmed
    QByteArray m_valueBytes;
    core::TextFinder m_finder; // of m_value, for Like
    Reading<double> m_number;
    Reading<qint64> m_fixed; // ten-thousandths
    Reading<QDateTime> m_dateTime;
    Reading<QTime> m_time;
    Reading<bool> m_truth;
};

} // namespace datatools
