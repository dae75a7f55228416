// One Paradox table into one table file of the handbook, through the engine's own writer.
#include "importer.h"
#include "paradoxtable.h"

#include "core/error.h"
#include "core/text.h"
#include "storage/fields.h"
#include "storage/sqlite.h"
#include "tables.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QMap>

namespace handbookimport {

namespace {

using storage::FieldKind;

FieldKind kindOf(int type)
{
    switch (type) {
    case paradox::Alpha: return FieldKind::Alpha;
    case paradox::Memo: return FieldKind::Memo;
    case paradox::FmtMemo: return FieldKind::FmtMemo;
    case paradox::Short: return FieldKind::Short;
    case paradox::Long:
    case paradox::AutoInc: return FieldKind::Long;
    case paradox::Number: return FieldKind::Float;
    case paradox::Money: return FieldKind::Money;
    case paradox::Bcd: return FieldKind::Bcd;
    case paradox::Date: return FieldKind::Date;
    case paradox::Time: return FieldKind::Time;
    case paradox::Timestamp: return FieldKind::Timestamp;
    default: return FieldKind::Logical; // the only other kind read
    }
}

// What one pass over the rows found beside the values.
struct Findings {
    QMap<int, int> alphaBytes; // field -> longest text in code page 936 bytes, where over its size
    QMap<int, qint64> cutToSeconds;
    QMap<int, qint64> undecodable;
};

// A BCD value as the engine keeps it (ten-thousandths); throws when that would change it.
double bcdValue(const storage::FieldDef &f, const QString &text, const QString &where)
{
    const bool negative = text.startsWith(u'-');
    const QString digits = negative ? text.mid(1) : text;
    const QString whole = digits.section(u'.', 0, 0);
    const QString fraction = digits.section(u'.', 1);
    bool exact = whole.size() <= 14;
    for (qsizetype i = 4; i < fraction.size(); ++i)
        exact = exact && fraction[i] == u'0';
    const qint64 units = (whole.toLongLong() * 10000 + fraction.left(4).leftJustified(4, u'0').toLongLong()) * (negative ? -1 : 1);
    const double value = double(units) / 10000.0;
    if (!exact || storage::toStorage(f, value).toLongLong() != units)
        throw core::Error(QStringLiteral("%1的 BCD 值 %2 超出手册 BCD 字段的精度（万分之一、15 位有效数字）").arg(where, text));
    return value;
}

class Converter {
public:
    Converter(const QString &db, const QString &memo, const QString &target, int codePage)
        : m_db(db), m_memo(memo), m_target(target), m_codePage(codePage)
    {
    }

    TableResult run()
    {
        TableResult result;
        Findings found = pass(result, {});
        if (!found.alphaBytes.isEmpty()) {
            // Texts that take more bytes in code page 936 than their field holds: widen the
            // field rather than cut them, and write the table again.
            result = TableResult();
            const QMap<int, int> widths = found.alphaBytes;
            found = pass(result, widths);
            for (auto it = widths.begin(); it != widths.end(); ++it)
                result.notes << QStringLiteral("“%1”加宽为 %2 字节（原为 %3 字节，其文字在代码页 936 中更长）")
                                    .arg(m_fieldNames[it.key()]).arg(it.value()).arg(m_declared[it.key()]);
        }
        for (auto it = found.cutToSeconds.begin(); it != found.cutToSeconds.end(); ++it)
            result.notes << QStringLiteral("“%1”有 %2 个值带毫秒，只保存到秒").arg(m_fieldNames[it.key()]).arg(it.value());
        for (auto it = found.undecodable.begin(); it != found.undecodable.end(); ++it)
            result.notes << QStringLiteral("“%1”有 %2 个文字含代码页 %3 中无效的字节，显示为 �")
                                .arg(m_fieldNames[it.key()]).arg(it.value()).arg(result.codePage);
        return result;
    }

private:
    Findings pass(TableResult &result, const QMap<int, int> &widths)
    {
        paradox::Table table(m_db, m_memo, m_codePage);
        result.codePage = table.codePage();
        storage::Fields fields;
        QVector<int> source; // Paradox field of each stored field
        m_fieldNames.clear();
        m_declared.clear();
        for (int i = 0; i < table.fields().size(); ++i) {
            const paradox::Field &pf = table.fields()[i];
            if (!paradox::isReadable(pf.type)) {
                result.leftOut << QStringLiteral("%1 (%2)").arg(pf.name, paradox::typeName(pf.type));
                continue;
            }
            storage::FieldDef f;
            f.name = pf.name;
            f.kind = kindOf(pf.type);
            f.size = pf.type == paradox::Alpha || pf.type == paradox::Memo || pf.type == paradox::FmtMemo || pf.type == paradox::Bcd ? pf.size : 0;
            m_declared << f.size;
            if (widths.contains(int(fields.size())))
                f.size = widths[int(fields.size())];
            f.displayWidth = storage::defaultDisplayWidth(f);
            if (pf.type == paradox::AutoInc)
                result.notes << QStringLiteral("“%1”为自动编号字段，按长整数保存").arg(pf.name);
            m_fieldNames << f.name;
            fields << f;
            source << i;
        }
        if (fields.isEmpty())
            throw core::Error(QStringLiteral("表中没有手册能保存的字段"));

        Findings found;
        QFile::remove(m_target);
        auto db = storage::Connection::open(m_target, storage::Connection::Mode::Create);
        QVariantList values;
        content::writeTableValues(*db, QFileInfo(m_target).completeBaseName(), fields, [&](QVariantList &row) {
            if (!table.next(values))
                return false;
            row.resize(fields.size());
            for (int c = 0; c < fields.size(); ++c)
                row[c] = stored(fields[c], c, values[source[c]], table.rowNumber(), found);
            ++result.rows;
            return true;
        });
        return found;
    }

    QVariant stored(const storage::FieldDef &f, int c, const QVariant &v, qint64 row, Findings &found)
    {
        if (v.isNull())
            return v;
        auto where = [&] { return QStringLiteral("第 %1 行“%2”").arg(row + 1).arg(f.name); };
        switch (f.kind) {
        case FieldKind::Alpha:
        case FieldKind::Memo:
        case FieldKind::FmtMemo: {
            const QString s = v.toString();
            if (s.contains(QChar::ReplacementCharacter))
                ++found.undecodable[c];
            if (f.kind == FieldKind::Alpha) {
                const int bytes = core::cp936Length(s);
                if (bytes > f.size)
                    found.alphaBytes[c] = std::max(found.alphaBytes.value(c), bytes);
            }
            return v;
        }
        case FieldKind::Bcd: return bcdValue(f, v.toString(), where());
        case FieldKind::Time: {
            const QTime t = v.toTime();
            if (t.msec() != 0)
                ++found.cutToSeconds[c];
            return QTime(t.hour(), t.minute(), t.second());
        }
        case FieldKind::Timestamp: {
            const QDateTime t = v.toDateTime();
            if (t.time().msec() != 0)
                ++found.cutToSeconds[c];
            const QDateTime whole(t.date(), QTime(t.time().hour(), t.time().minute(), t.time().second()));
            // Kept as the wall-clock text it shows; a time the local clock skips would move.
            const QString wanted = t.date().toString(Qt::ISODate) + u'T' + whole.time().toString(Qt::ISODate);
            if (storage::toStorage(f, whole).toString() != wanted)
                throw core::Error(QStringLiteral("%1的时间戳 %2 不能按本机时区准确保存").arg(where(), wanted));
            return whole;
        }
        default: return v;
        }
    }

    QString m_db, m_memo, m_target;
    int m_codePage;
    QStringList m_fieldNames;
    QVector<int> m_declared;
};

} // namespace

TableResult convertTable(const QString &dbPath, const QString &memoPath, const QString &target, int codePage)
{
    try {
        return Converter(dbPath, memoPath, target, codePage).run();
    } catch (...) {
        QFile::remove(target);
        throw;
    }
}

} // namespace handbookimport
