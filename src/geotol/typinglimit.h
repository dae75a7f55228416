#pragma once
#include <QValidator>

class QLineEdit;

// Limits what the user types or pastes into an edit to a number of characters, without cutting
// the texts the program sets (those may be longer, and the user may still delete from them).
class TypingLimit : public QValidator {
public:
    TypingLimit(QLineEdit *edit, int limit);
    State validate(QString &input, int &pos) const override;

private:
    QLineEdit *m_edit;
    int m_limit;
    qsizetype m_shownLength; // length of the text before the edit being validated
};
