#pragma once
#include <QString>
#include <stdexcept>

namespace core {

// An error whose text is shown to the user as it stands (in the default error box).
class Error : public std::runtime_error {
public:
    explicit Error(const QString &text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString &text() const { return m_text; }

private:
    QString m_text;
};

} // namespace core
