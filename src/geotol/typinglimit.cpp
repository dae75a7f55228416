#include "typinglimit.h"

#include <QLineEdit>

TypingLimit::TypingLimit(QLineEdit *edit, int limit)
    : QValidator(edit), m_edit(edit), m_limit(limit), m_shownLength(edit->text().size())
{
    // Connected before any change handler, so it sees every text first, nested ones included.
    connect(edit, &QLineEdit::textChanged, this, [this](const QString &text) { m_shownLength = text.size(); });
}

QValidator::State TypingLimit::validate(QString &input, int &) const
{
    // setText clears the modified flag: a text set by the program passes as it is.
    if (!m_edit->isModified())
        return Acceptable;
    return input.size() > m_limit && input.size() > m_shownLength ? Invalid : Acceptable;
}
