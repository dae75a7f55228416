#include "indexfile.h"

#include "content.h"
#include "core/error.h"
#include "documents.h"
#include "indexschema.h"
#include "storage/error.h"
#include "storage/sqlite.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace fulltext {

namespace schema {

IndexState stateOf(const storage::Connection &index, const QString &dataDir)
{
    try {
        auto value = [&](const char *key) {
            storage::Statement st(index, QStringLiteral("SELECT value FROM info WHERE key=?1"));
            st.bind(1, QString::fromLatin1(key));
            return st.step() ? st.text(0) : QString();
        };
        const QString textForm = value("textform");
        if (value("format") != QLatin1String(format) || textForm != textFormStampLike(textForm))
            return IndexState::Stale;
        QStringList paths, states;
        storage::Statement sources(index, QStringLiteral("SELECT path, state FROM sources ORDER BY rowid"));
        while (sources.step()) {
            paths << sources.text(0);
            states << sources.text(1);
        }
        // The sources begin with the root table where it is now: an index read from another
        // place (or built before the catalogue existed) names another one.
        if (paths.isEmpty() || paths.constFirst() != rootTableFile(dataDir))
            return IndexState::Stale;
        return sourceStates(dataDir, paths) == states ? IndexState::Fresh : IndexState::Stale;
    } catch (const storage::Error &) {
        return IndexState::Missing;
    }
}

} // namespace schema

namespace {

qint64 writeIndex(const QString &file, const SearchableContent &content, const QStringList &states)
{
    auto db = storage::Connection::open(file, storage::Connection::Mode::Create);
    // A file being written is thrown away when the build fails: no journal is needed.
    db->exec(QStringLiteral("PRAGMA journal_mode=OFF"));
    db->exec(QStringLiteral("PRAGMA synchronous=OFF"));
    storage::Transaction transaction(*db);
    db->exec(QString::fromLatin1(schema::layout));

    storage::Statement info(*db, QStringLiteral("INSERT INTO info VALUES (?1, ?2)"));
    info.bind(1, QStringLiteral("format")).bind(2, QString::fromLatin1(schema::format)).run();
    storage::Statement source(*db, QStringLiteral("INSERT INTO sources VALUES (?1, ?2)"));
    for (qsizetype i = 0; i < content.sourceFiles.size(); ++i) {
        source.bind(1, content.sourceFiles[i]).bind(2, states[i]).run();
        source.reset();
    }
    storage::Statement node(*db, QStringLiteral("INSERT INTO nodes VALUES (?1, ?2, ?3, ?4)"));
    for (qsizetype i = 0; i < content.nodes.size(); ++i) {
        const CatalogueNode &n = content.nodes[i];
        node.bind(1, i + 1).bind(2, n.ref.catalogue).bind(3, n.ref.id).bind(4, n.title).run();
        node.reset();
    }

    storage::Statement doc(*db, QStringLiteral("INSERT INTO docs(kind, node, tbl, row, ordinal, body) VALUES (?1, ?2, ?3, ?4, ?5, ?6)"));
    ContentWalk walk(content, nullptr);
    Document d;
    qint64 documents = 0;
    while (walk.next(d)) {
        doc.bind(1, int(d.place)).bind(2, d.node + 1);
        if (d.place == Place::Cell)
            doc.bind(3, d.table + 1).bind(4, d.rowId).bind(5, d.rowNumber).bind(6, rowText(d.cells));
        else
            doc.bind(6, d.text);
        doc.run();
        doc.reset();
        ++documents;
    }
    storage::Statement table(*db, QStringLiteral("INSERT INTO tables VALUES (?1, ?2, ?3, ?4)"));
    for (qsizetype i = 0; i < content.tables.size(); ++i) {
        table.bind(1, i + 1).bind(2, content.tables[i].node + 1).bind(3, content.tables[i].name)
            .bind(4, rowText(walk.fieldNames(int(i))));
        table.run();
        table.reset();
    }
    info.reset();
    info.bind(1, QStringLiteral("textform")).bind(2, textFormStamp(walk.kindsSeen())).run();
    db->exec(QStringLiteral("INSERT INTO fts(fts) VALUES('rebuild')"));
    db->exec(QStringLiteral("INSERT INTO fts(fts) VALUES('optimize')"));
    transaction.commit();
    return documents;
}

} // namespace

QString indexPath(const QString &dataDir)
{
    return QFileInfo(dataDir).absoluteFilePath() + QStringLiteral("/database/fulltext.db");
}

IndexState indexState(const QString &dataDir)
{
    const QString file = indexPath(dataDir);
    if (!QFileInfo(file).isFile())
        return IndexState::Missing;
    try {
        return schema::stateOf(*storage::Connection::open(file), dataDir);
    } catch (const storage::Error &) {
        return IndexState::Missing;
    }
}

IndexFigures buildIndex(const QString &dataDir)
{
    const QString target = indexPath(dataDir);
    const QString part = target + QStringLiteral(".part");
    // The states are taken before the content is read; should a file change while the index is
    // written, it is written again, and after three tries the index keeps the states it began
    // with, so that it counts as stale rather than showing what the files no longer hold.
    for (int attempt = 0;; ++attempt) {
        const SearchableContent content = readContent(dataDir);
        const QStringList states = sourceStates(dataDir, content.sourceFiles);
        QFile::remove(part);
        IndexFigures figures;
        try {
            figures.documents = writeIndex(part, content, states);
        } catch (...) {
            QFile::remove(part);
            throw;
        }
        if (sourceStates(dataDir, content.sourceFiles) != states && attempt < 2)
            continue;
        if (std::rename(QFile::encodeName(part).constData(), QFile::encodeName(target).constData()) != 0) {
            QFile::remove(part);
            throw core::Error(QStringLiteral("Cannot write %1").arg(target));
        }
        figures.bytes = QFileInfo(target).size();
        return figures;
    }
}

bool updateIndex(const QString &dataDir)
{
    if (indexState(dataDir) == IndexState::Fresh)
        return false;
    buildIndex(dataDir);
    return true;
}

} // namespace fulltext
