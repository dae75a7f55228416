#pragma once
#include <QString>

#include <span>

namespace geotol {

// How a characteristic's click handler checks the main parameter before anything else.
enum class PreliminaryCheck { None, Decimal, Integer };

// One of the eleven characteristics, as its button shows it.
struct Characteristic {
    QString caption;        // button caption ("圆  度" keeps its two blanks)
    int table;              // 1 "直线平面度", 2 "圆度圆柱度", 3 "平行垂直倾斜度", 4 "同轴对称跳动"
    QString legendCaption;  // e.g. "主参数L图例"
    QString legendFile;     // e.g. "zxd.bmp"
    double bound;           // largest main parameter the click handler accepts
    PreliminaryCheck check;
    bool leftColumn;        // form tolerances (left column) or position tolerances (right)
};

// In button order: RadioButton3 (直线度) to RadioButton13 (全跳动).
std::span<const Characteristic> characteristics();

// The characteristic whose caption equals name, blanks not counted; nullptr when none does.
const Characteristic *findCharacteristic(const QString &name);

} // namespace geotol
