#include "titlelists.h"

#include "core/text.h"
#include "storage/dataset.h"

namespace browser {

const QString FindStatement = QStringLiteral("select * from vt where ctable is not null and instr(cname, ?1) > 0");

bool jumpToPrefix(storage::Dataset &indexList, const QString &text)
{
    const QString wanted = core::trimBlanks(text);
    const int rows = indexList.recordCount();
    if (rows == 0)
        return false;
    if (wanted.isEmpty()) {
        indexList.setCurrentIndex(0);
        return true;
    }
    const int field = int(&indexList.field(QStringLiteral("CName")) - indexList.fields().constData());
    const QByteArray key = core::toCp936(wanted);
    // Blank titles sort first; every other title is compared on its code page 936 bytes, the
    // order the list was sorted in, so the titles that begin with the key follow each other.
    auto bytesAt = [&](int row) {
        const QVariant v = indexList.valueAt(row, field);
        return v.isNull() ? QByteArray() : core::toCp936(v.toString());
    };
    int lo = 0;
    int hi = rows;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        const QVariant v = indexList.valueAt(mid, field);
        if (v.isNull() || core::compareCp936(bytesAt(mid), key) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo >= rows || !bytesAt(lo).startsWith(key))
        return false;
    indexList.setCurrentIndex(lo);
    return true;
}

void runFind(storage::Dataset &findList, const QString &text)
{
    findList.close();
    findList.setSql(FindStatement, {core::trimBlanks(text)});
    findList.open();
}

} // namespace browser
