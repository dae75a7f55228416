#pragma once
#include "storage/fields.h"

#include <QString>
#include <QVariant>

namespace binding {

// The value a text typed into a grid cell stands for, read as the grid writes the field's kind:
// texts as typed, whole and decimal numbers by the handbook's number reading (the user's decimal
// separator), dates and times in the user's formats, logicals as True or False. An empty text is
// a blank cell (a memo's empty text). Throws core::Error with the engine's text when the text does
// not read ("'x' is not a valid floating point value").
QVariant readCellText(const storage::FieldDef &field, const QString &text);

// Whether two values of the field are stored alike: a cell edited to `typed` would not change.
bool sameStoredValue(const storage::FieldDef &field, const QVariant &typed, const QVariant &stored);

} // namespace binding
