#include "content.h"

#include "core/error.h"
#include "core/numbers.h"
#include "storage/dataset.h"
#include "storage/paths.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <optional>

namespace fulltext {

namespace {

const QString rootTable = QStringLiteral("vtree.DB");
const QString indexTable = QStringLiteral("vt.db");

// Page kinds whose page holds text of its own.
constexpr unsigned dataTableKind = 3;
constexpr unsigned htmlPageKind = 4;

std::optional<unsigned> pageKind(const QString &frame)
{
    try {
        return static_cast<unsigned>(core::parseInt(frame));
    } catch (const core::Error &) {
        return std::nullopt;
    }
}

class Reader {
public:
    explicit Reader(const QString &dataDir)
        : m_dir(QFileInfo(dataDir).absoluteFilePath()), m_database(m_dir + QStringLiteral("/database"))
    {
    }

    // Reads one catalogue table; false when its file does not exist (it is listed all the same).
    bool readTable(const QString &name)
    {
        const QString file = storage::resolvePath(m_database + u'/' + name);
        if (file.isEmpty()) {
            m_content.sourceFiles << QStringLiteral("database/") + name;
            return false;
        }
        m_content.sourceFiles << QDir(m_dir).relativeFilePath(file);
        storage::Dataset table;
        table.setDirectory(m_database);
        table.setTableName(name);
        int id = -1, title = -1, frame = -1, argument = -1, note = -1;
        table.readOnce(
            [&](const storage::Fields &fields) {
                auto position = [&](const char *field) {
                    return int(&table.field(QString::fromLatin1(field)) - fields.constData());
                };
                id = position("CID");
                title = position("CName");
                frame = position("CFrame");
                argument = position("Ctable");
                note = position("CMemo");
                return QVector<int>{id, title, frame, argument, note};
            },
            [&](const storage::RowView &row) {
                CatalogueNode node{{name, row.plainText(id)},
                                   row.plainText(title),
                                   row.plainText(note),
                                   row.plainText(frame),
                                   row.plainText(argument)};
                const QString key = node.ref.id.toLower() + u'\x1f' + node.title + u'\x1f' + node.note;
                if (!m_seen.contains(key)) {
                    m_seen.insert(key);
                    m_content.nodes << std::move(node);
                }
            });
        return true;
    }

    // The roots' identifiers, once each: read right after vtree.DB, when the list holds only roots.
    QStringList rootIds() const
    {
        QStringList ids;
        QSet<QString> seen;
        for (const CatalogueNode &node : m_content.nodes) {
            if (!node.ref.id.isEmpty() && !seen.contains(node.ref.id.toLower())) {
                seen.insert(node.ref.id.toLower());
                ids << node.ref.id;
            }
        }
        return ids;
    }

    void findPages()
    {
        QSet<QString> files;
        for (int i = 0; i < m_content.nodes.size(); ++i) {
            const CatalogueNode &node = m_content.nodes[i];
            const std::optional<unsigned> kind = pageKind(node.frame);
            if (!kind || node.argument.isEmpty() || (*kind != dataTableKind && *kind != htmlPageKind))
                continue;
            // The paths the page area opens: "dat/<table>[.db]", "txt/<page>" (".htm" added when
            // the name does not hold "htm").
            const QString named = *kind == dataTableKind
                                      ? QStringLiteral("dat/") + storage::tableFileName(node.argument)
                                      : QStringLiteral("txt/") + node.argument
                                            + (node.argument.contains(QLatin1String("htm")) ? QString() : QStringLiteral(".htm"));
            const QString file = storage::resolvePath(m_dir + u'/' + named);
            const QString relative = file.isEmpty() ? named : QDir(m_dir).relativeFilePath(file);
            if (files.contains(relative))
                continue;
            files.insert(relative);
            m_content.sourceFiles << relative;
            if (file.isEmpty() || !QFileInfo(file).isFile())
                continue;
            const ContentPage page{i, QFileInfo(file).absoluteFilePath(), node.argument};
            (*kind == dataTableKind ? m_content.tables : m_content.htmlPages) << page;
        }
    }

    SearchableContent take()
    {
        m_content.dataDir = m_dir;
        return std::move(m_content);
    }

private:
    QString m_dir;
    QString m_database;
    SearchableContent m_content;
    QSet<QString> m_seen;
};

QString tableFileState(const QString &path, const QFileInfo &info)
{
    QString state = QStringLiteral("%1 %2").arg(info.size()).arg(info.lastModified().toMSecsSinceEpoch());
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray header = file.read(100);
        if (header.size() == 100 && header.startsWith("SQLite format 3")) {
            // Bytes 24-27: the change counter, which every committed write outside WAL mode moves.
            const auto *b = reinterpret_cast<const unsigned char *>(header.constData());
            const quint32 counter = quint32(b[24]) << 24 | quint32(b[25]) << 16 | quint32(b[26]) << 8 | b[27];
            state += QStringLiteral(" c%1").arg(counter);
            const QFileInfo wal(path + QStringLiteral("-wal"));
            if (wal.exists())
                state += QStringLiteral(" w%1 %2").arg(wal.size()).arg(wal.lastModified().toMSecsSinceEpoch());
        }
    }
    return state;
}

} // namespace

SearchableContent readContent(const QString &dataDir)
{
    Reader reader(dataDir);
    if (reader.readTable(rootTable)) {
        for (const QString &root : reader.rootIds())
            reader.readTable(QStringLiteral("vt%1.db").arg(root));
    }
    reader.readTable(indexTable);
    reader.findPages();
    return reader.take();
}

QStringList sourceStates(const QString &dataDir, const QStringList &files)
{
    const QString dir = QFileInfo(dataDir).absoluteFilePath();
    QStringList states;
    states.reserve(files.size());
    for (const QString &relative : files) {
        const QString path = dir + u'/' + relative;
        const QFileInfo info(path);
        states << (info.isFile() ? tableFileState(path, info) : QStringLiteral("-"));
    }
    return states;
}

QString rootTableFile(const QString &dataDir)
{
    const QString dir = QFileInfo(dataDir).absoluteFilePath();
    const QString file = storage::resolvePath(dir + QStringLiteral("/database/") + rootTable);
    return file.isEmpty() ? QStringLiteral("database/") + rootTable : QDir(dir).relativeFilePath(file);
}

QString textFormStamp(const QString &kindCodes)
{
    static const QString dependent = QStringLiteral("N$#DT@");
    QString kinds;
    for (const QChar c : dependent) {
        if (kindCodes.contains(c))
            kinds += c;
    }
    // The texts a fraction, a date, a time and a timestamp show in the user's locale.
    auto shown = [](storage::FieldKind kind, const QVariant &value) {
        storage::FieldDef field;
        field.kind = kind;
        return storage::plainText(field, value);
    };
    const QDateTime sample(QDate(2001, 12, 31), QTime(23, 59, 58));
    QStringList parts{kinds};
    if (kinds.contains(u'N') || kinds.contains(u'$') || kinds.contains(u'#'))
        parts << shown(storage::FieldKind::Float, 1.5);
    if (kinds.contains(u'D'))
        parts << shown(storage::FieldKind::Date, sample.date());
    if (kinds.contains(u'T'))
        parts << shown(storage::FieldKind::Time, sample.time());
    if (kinds.contains(u'@'))
        parts << shown(storage::FieldKind::Timestamp, sample);
    return parts.join(u'|');
}

QString textFormStampLike(const QString &stored)
{
    return textFormStamp(stored.section(u'|', 0, 0));
}

} // namespace fulltext
