#pragma once
#include "fits/DataUnit.h"
#include "geotol/DataofShapeLocation.h"

namespace testdata {

// createWindows() makes the two data modules as globals; a window suite drops them after each
// case so the next one opens its own data directory.
inline void dropDataModules()
{
    delete Data;
    delete Data2;
    Data = nullptr;
    Data2 = nullptr;
}

} // namespace testdata
