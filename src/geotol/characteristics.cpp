#include "characteristics.h"

#include <array>

namespace geotol {

namespace {

QString withoutBlanks(QString text)
{
    text.remove(u' ');
    return text;
}

} // namespace

std::span<const Characteristic> characteristics()
{
    using enum PreliminaryCheck;
    static const std::array<Characteristic, 11> rows = {{
        {u"直线度"_qs, 1, u"主参数L图例"_qs, u"zxd.bmp"_qs, 10000, None, true},
        {u"平面度"_qs, 1, u"主参数L图例"_qs, u"pmd.bmp"_qs, 10000, None, true},
        {u"圆  度"_qs, 2, u"主参数L图例"_qs, u"yd.bmp"_qs, 500, Decimal, true},
        {u"圆柱度"_qs, 2, u"主参数L图例"_qs, u"yzd.bmp"_qs, 500, Integer, true},
        {u"平行度"_qs, 3, u"主参数L,d(D)图例"_qs, u"pxd.bmp"_qs, 10000, None, true},
        {u"垂直度"_qs, 3, u"主参数L,d(D)图例"_qs, u"czd.bmp"_qs, 10000, None, true},
        {u"倾斜度"_qs, 3, u"主参数L,d(D)图例"_qs, u"qxd.bmp"_qs, 10000, None, false},
        {u"同轴度"_qs, 4, u"主参数d(D)图例"_qs, u"tzd.bmp"_qs, 10000, None, false},
        {u"对称度"_qs, 4, u"主参数B,L图例"_qs, u"dcd.bmp"_qs, 10000, None, false},
        {u"圆跳动"_qs, 4, u"主参数d(D)图例"_qs, u"ytd.bmp"_qs, 10000, None, false},
        {u"全跳动"_qs, 4, u"主参数d(D)图例"_qs, u"qtd.bmp"_qs, 10000, None, false},
    }};
    return rows;
}

const Characteristic *findCharacteristic(const QString &name)
{
    const QString wanted = withoutBlanks(name);
    for (const Characteristic &c : characteristics()) {
        if (withoutBlanks(c.caption) == wanted)
            return &c;
    }
    return nullptr;
}

} // namespace geotol
