#include "importrow.h"

#include "generator.h"
#include "measure.h"

#include "importer.h"
#include "paradoxfixture.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

namespace bench {

Figure timedImport(const QString &dir, int runs)
{
    constexpr int rows = 100000;
    const QString source = dir + QStringLiteral("/paradox/dat/") + tableName(rows) + QStringLiteral(".db");
    if (!QFileInfo::exists(source)) {
        std::printf("writing the %d-row data page as a Paradox table ...\n", rows);
        std::fflush(stdout);
        QDir().mkpath(QFileInfo(source).path());
        paradoxfixture::writeParadoxCopy(dir + QStringLiteral("/dat/") + tableName(rows) + QStringLiteral(".db"), source);
    }
    const QString memo = QFileInfo(source).path() + u'/' + tableName(rows) + QStringLiteral(".MB");
    QTemporaryDir out;
    const QString target = out.filePath(QStringLiteral("big.db"));
    qint64 imported = 0;
    Figure f;
    f.operation = QStringLiteral("handbook-import of a %L1-row Paradox table (12 fields, 2 memos in the .MB)").arg(rows);
    f.ms = medianMs(runs, [&] { imported = handbookimport::convertTable(source, memo, target).rows; });
    f.baseline = QStringLiteral("pxlib 0.6.8 reading the same records, every field but the memos");
    f.baselineMs = medianMs(runs, [&] { paradoxfixture::readWithPxlib(source); });
    f.target = QStringLiteral("≤ 3000 ms");
    f.met = f.ms <= 3000 && imported == rows;
    f.note = QStringLiteral("%1 rows, Paradox files %2 MiB, table file %3 MiB")
                 .arg(imported)
                 .arg(double(QFileInfo(source).size() + QFileInfo(memo).size()) / 1048576.0, 0, 'f', 1)
                 .arg(double(QFileInfo(target).size()) / 1048576.0, 0, 'f', 1);
    return f;
}

} // namespace bench
