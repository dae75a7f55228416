#include "resultreport.h"

#include "core/text.h"
#include "storage/dataset.h"

namespace datatools {

namespace {

const QString lineEnd = QStringLiteral("\r\n");

QString spaces(int n)
{
    return n > 0 ? QString(n, u' ') : QString();
}

// Appends n spaces (none when n <= 0); returns how many were appended.
int pad(QString &report, int n)
{
    if (n <= 0)
        return 0;
    report.resize(report.size() + n, u' ');
    return n;
}

void addLine(QString &report, const QString &line)
{
    report += line;
    report += lineEnd;
}

void addColumnReport(QString &report, storage::Dataset &ds, int keys, int selected)
{
    const storage::Fields &fields = ds.fields();
    QString header = fields[0].name;
    for (int i = 1; i < keys; ++i)
        header += spaces(10) + fields[i].name;
    addLine(report, header + spaces(30) + fields[selected].name);
    addLine(report, QString(50, u'-'));

    QVector<int> read = {0, selected}; // the fields the lines show
    for (int i = 1; i < keys; ++i)
        read << i;
    // Room for lines of the usual width: the report is not copied again and again as it grows.
    report.reserve(report.size() + qsizetype(ds.recordCount()) * (40 + 10 * keys));
    ds.first();
    ds.scan(0, [&](int, const storage::RowView &row) {
        const QString first = row.plainText(0);
        // Every further key value is placed after the first one's trimmed byte length.
        const int gap = 10 - core::cp936Length(core::trimBlanks(QStringView(first)));
        report += first;
        int length = core::cp936Length(first); // bytes of the line so far
        int target = 40;
        for (int i = 1; i < keys; ++i) {
            const QString key = row.plainText(i);
            length += pad(report, gap) + core::cp936Length(key);
            report += key;
            target += 10;
        }
        pad(report, target - length);
        addLine(report, row.plainText(selected));
        return true;
    }, &read);
    ds.last();
}

void addRecordListing(QString &report, const storage::Dataset &ds)
{
    const storage::Fields &fields = ds.fields();
    const int row = ds.currentIndex();
    for (int f = 0; f < fields.size(); ++f) {
        const QString value = storage::plainText(fields[f], ds.valueAt(row, f));
        addLine(report, fields[f].name + QStringLiteral(":    ") + value);
    }
}

} // namespace

QString composeReport(storage::Dataset &ds, int keyColumns, int selectedColumn)
{
    QString report;
    if (ds.isOpen()) {
        const int fieldCount = int(ds.fields().size());
        if (keyColumns == 0)
            addRecordListing(report, ds);
        else if (selectedColumn >= keyColumns && selectedColumn >= 0 && selectedColumn < fieldCount)
            addColumnReport(report, ds, keyColumns, selectedColumn);
    }
    addLine(report, spaces(24));
    return report;
}

} // namespace datatools
