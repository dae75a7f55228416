#include "titlelists.h"

#include "core/text.h"
#include "storage/dataset.h"
#include "storage/paths.h"

#include <QDateTime>
#include <QFileInfo>

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

namespace {

// The titles the find list can show (rows of vt with a page table), in stored order. They are
// read once and searched in memory on every keystroke; a change of the file reads them again.
struct FindTitles {
    QString path;
    QDateTime modified;
    qint64 size = -1;
    QVector<qint64> rows;
    QStringList titles;

    void load(const QString &directory)
    {
        const QFileInfo file(storage::resolvePath(directory + QStringLiteral("/vt.db")));
        if (file.filePath() == path && file.lastModified() == modified && file.size() == size)
            return;
        storage::Dataset titlesOnly;
        titlesOnly.setDirectory(directory);
        titlesOnly.setSql(QStringLiteral("select CName from vt where ctable is not null"));
        titlesOnly.open();
        rows.clear();
        titles.clear();
        titlesOnly.scan(0, [&](int row, const storage::RowView &values) {
            rows << titlesOnly.rowIdAt(row);
            titles << values.value(0).toString();
            return true;
        });
        path = file.filePath();
        modified = file.lastModified();
        size = file.size();
    }

    QVector<qint64> matching(const QString &text) const
    {
        QVector<qint64> found;
        for (qsizetype i = 0; i < titles.size(); ++i) {
            // An empty text lists every row with a page; otherwise a literal, case-sensitive,
            // whole-character substring test.
            if (text.isEmpty() || titles[i].contains(text, Qt::CaseSensitive))
                found << rows[i];
        }
        return found;
    }
};

} // namespace

void runFind(storage::Dataset &findList, const QString &text)
{
    static FindTitles titles;
    findList.close();
    findList.setSql(FindStatement, {core::trimBlanks(text)});
    titles.load(findList.directory());
    findList.openRows(titles.matching(core::trimBlanks(text)));
}

} // namespace browser
