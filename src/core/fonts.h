#pragma once
#include <QFont>

namespace core {

// 宋体 at a pixel size, the font of the handbook's windows; where 宋体 is not installed the
// system's substitute draws it.
QFont songti(int pixels);

} // namespace core
