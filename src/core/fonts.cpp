#include "fonts.h"

namespace core {

QFont songti(int pixels)
{
    QFont f(QStringLiteral("宋体"));
    f.setPixelSize(pixels);
    return f;
}

} // namespace core
