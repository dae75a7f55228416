#pragma once
#include "storage/fields.h"

#include <QString>

// What the user is told about the data query: the condition in words, the bar over a data page
// while the query is on, and the message about a condition that does not fit the table.
namespace datatools {

// “field” operator “value”: the field the row test takes at that position of the table (or why
// there is none), the operator as typed, the value without the blanks around it.
QString describeCondition(const storage::Fields &fields, int field, const QString &operatorText,
                          const QString &valueText);

// The bar over the data page; failed: some row of the last walk could not be tested (it passed).
QString filterNotice(const QString &condition, bool operatorKnown, bool failed);

// The message about a condition that cannot be applied, naming the window it comes from.
QString wrongConditionMessage(const QString &condition);

} // namespace datatools
