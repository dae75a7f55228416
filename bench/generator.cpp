#include "generator.h"

#include "builder.h"
#include "storage/sqlite.h"
#include "tables.h"

#include <QDate>
#include <QDir>
#include <QFile>

namespace bench {

namespace {

const QStringList words = {
    QStringLiteral("螺栓"), QStringLiteral("螺母"), QStringLiteral("垫圈"), QStringLiteral("轴承"),
    QStringLiteral("齿轮"), QStringLiteral("弹簧"), QStringLiteral("键"), QStringLiteral("销"),
    QStringLiteral("联轴器"), QStringLiteral("密封件"), QStringLiteral("钢材"), QStringLiteral("公差"),
    QStringLiteral("螺纹"), QStringLiteral("带轮"), QStringLiteral("链条"), QStringLiteral("铆钉")};
const QStringList qualifiers = {
    QStringLiteral("尺寸"), QStringLiteral("规格"), QStringLiteral("性能"), QStringLiteral("标记"),
    QStringLiteral("材料"), QStringLiteral("系列"), QStringLiteral("参数"), QStringLiteral("选用")};

const QString catalogueHeader = QStringLiteral(
    "CID:A20,ParentID:A20,CName:A100,CFrame:A10,COrder:S,ImageIndex:S,SelectedIndex:S,StateIndex:S,"
    "Ctable:A30,CMemo:M240,Cimage:A20");

QString title(int n)
{
    return QStringLiteral("%1%2第%3号").arg(words[n % words.size()], qualifiers[(n / 16) % qualifiers.size()]).arg(n);
}

QStringList nodeRow(const QString &cid, const QString &parent, int n, bool leaf, int tableRows = 1000)
{
    return {cid, parent, title(n), leaf ? QStringLiteral("3") : QString(), leaf ? QStringLiteral("2") : QString(),
            QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
            leaf ? tableName(tableRows) : QString(),
            QStringLiteral("%1：本节列出%2的常用数值，单位为毫米。").arg(title(n), words[n % words.size()]),
            QString()};
}

void writeFile(const QString &path, const content::Csv &csv)
{
    content::writeTableFile(path, csv);
}

// Twelve fields whose names carry three title rows: group, subgroup, column.
storage::Fields dataFields()
{
    const QStringList specs = {
        QStringLiteral("规格|代号|代号:A20"),     QStringLiteral("规格|名称|名称:A40"),
        QStringLiteral("尺寸|主要|直径 d:N"),     QStringLiteral("尺寸|主要|长度 L:N"),
        QStringLiteral("尺寸|其他|宽度 b:N"),     QStringLiteral("尺寸|其他|厚度 t:N"),
        QStringLiteral("数量|件数|件数:I"),       QStringLiteral("数量|批次|批次:S"),
        QStringLiteral("数量|重量|千件重量:N"),   QStringLiteral("日期|发布|发布日期:D"),
        QStringLiteral("说明|备注|备注:M"),       QStringLiteral("说明|材料|材料说明:M")};
    storage::Fields f;
    for (const QString &s : specs)
        f << storage::parseFieldSpec(s);
    return f;
}

void writeDataTable(const QString &path, int rows)
{
    const QString tmp = path + QStringLiteral(".part");
    QFile::remove(tmp);
    {
        auto db = storage::Connection::open(tmp, storage::Connection::Mode::Create);
        int i = 0;
        const QDate start(2000, 1, 1);
        content::writeTableRows(*db, QFileInfo(path).completeBaseName(), dataFields(), [&](QStringList &row) {
            if (i == rows)
                return false;
            ++i;
            row = QStringList{QStringLiteral("GB%1").arg(i),
                              title(i),
                              QString::number(3 + (i % 997) * 0.5),
                              QString::number(10 + (i % 311) * 1.25),
                              QString::number((i % 53) * 0.1),
                              i % 17 == 0 ? QString() : QString::number((i % 41) * 0.05),
                              QString::number(i),
                              QString::number(i % 30000),
                              QString::number(0.001 * (i % 100003)),
                              start.addDays(i % 9000).toString(Qt::ISODate),
                              QStringLiteral("第%1行备注：%2").arg(i).arg(words[i % words.size()]),
                              QStringLiteral("材料 Q235，表面处理%1").arg(qualifiers[i % qualifiers.size()])};
            return true;
        });
    }
    QFile::remove(path);
    QFile::rename(tmp, path);
}

} // namespace

const char *generatorVersion()
{
    return "2: one page shows the 100,000-row table";
}

QString tableName(int rows)
{
    return QStringLiteral("big%1").arg(rows);
}

void generateHandbook(const QString &dir)
{
    constexpr int rootCount = 20;
    constexpr int nodeCount = 50000; // roots included
    const QString contentDir = QStringLiteral(HANDBOOK_SOURCE_DIR "/content");
    content::build(contentDir, dir);
    const QString db = dir + QStringLiteral("/database/");

    content::Csv roots;
    roots.header = catalogueHeader.split(u',');
    content::Csv index;
    index.header = roots.header;
    const int perRoot = (nodeCount - rootCount) / rootCount;
    int n = 0;
    for (int r = 1; r <= rootCount; ++r) {
        const QString rootId = QStringLiteral("%1").arg(r, 2, 10, QLatin1Char('0'));
        roots.rows << nodeRow(rootId, QStringLiteral("0"), n++, false);
        content::Csv branch;
        branch.header = roots.header;
        // Four levels: the root, 10 chapters, 10 sections each, the pages shared among sections.
        int added = 0;
        for (int c = 0; c < 10 && added < perRoot; ++c) {
            const QString chapter = rootId + QStringLiteral("%1").arg(c, 2, 10, QLatin1Char('0'));
            branch.rows << nodeRow(chapter, rootId, n++, false);
            ++added;
            for (int s = 0; s < 10 && added < perRoot; ++s) {
                const QString section = chapter + QStringLiteral("%1").arg(s, 2, 10, QLatin1Char('0'));
                branch.rows << nodeRow(section, chapter, n++, false);
                ++added;
            }
        }
        for (int p = 0; added < perRoot; ++p, ++added) {
            const QString section = rootId + QStringLiteral("%1%2").arg((p / 10) % 10, 2, 10, QLatin1Char('0')).arg(p % 10, 2, 10, QLatin1Char('0'));
            // The last page of the last root shows the 100,000-row table, so the full-text search
            // covers it; the 1,000,000-row table is opened by name only.
            const bool big = r == rootCount && added + 1 == perRoot;
            const QStringList row = nodeRow(section + QStringLiteral("%1").arg(p / 100, 3, 10, QLatin1Char('0')), section, n++, true,
                                            big ? 100000 : 1000);
            branch.rows << row;
        }
        index.rows << branch.rows;
        writeFile(db + QStringLiteral("vt%1.db").arg(rootId), branch);
    }
    writeFile(db + QStringLiteral("vtree.DB"), roots);
    index.rows = roots.rows + index.rows; // the index lists every node: 50,000 rows
    writeFile(db + QStringLiteral("vt.db"), index);
    for (int rows : {1000, 100000, 1000000})
        writeDataTable(dir + QStringLiteral("/dat/") + tableName(rows) + QStringLiteral(".db"), rows);
}

} // namespace bench
