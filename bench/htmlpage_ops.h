#pragma once
#include "report.h"

namespace bench {

// Times the page pane on pages past its bounds (tables nested 50 and 5,000 deep, 100,000 nested
// divs): from the file to the notice shown and laid out, beside the largest page within bounds.
QVector<Figure> htmlPageFigures(int runs);

} // namespace bench
