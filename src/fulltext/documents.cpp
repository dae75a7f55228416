#include "documents.h"

#include "pagetext.h"
#include "storage/dataset.h"

#include <QFileInfo>

#include <numeric>

namespace fulltext {

namespace {
// Rows read ahead from a table in one pass of its file.
constexpr int rowsAhead = 64;
} // namespace

ContentWalk::ContentWalk(const SearchableContent &content, const core::TextFinder *finder)
    : m_content(content), m_finder(finder)
{
}

ContentWalk::~ContentWalk() = default;

bool ContentWalk::next(Document &doc)
{
    auto holds = [this](const QString &text) { return m_finder ? m_finder->in(text) : !text.isEmpty(); };
    while (true) {
        switch (m_place) {
        case Place::Title:
        case Place::Note:
            while (m_item < m_content.nodes.size()) {
                const CatalogueNode &node = m_content.nodes[m_item++];
                const QString &text = m_place == Place::Title ? node.title : node.note;
                if (holds(text)) {
                    doc = Document{m_place, m_item - 1, -1, -1, 0, text, {}};
                    return true;
                }
            }
            m_place = m_place == Place::Title ? Place::Note : Place::PageText;
            m_item = 0;
            break;
        case Place::PageText:
            while (m_item < m_content.htmlPages.size()) {
                const ContentPage &page = m_content.htmlPages[m_item++];
                QString text = pageText(m_content.dataDir, page.file);
                if (holds(text)) {
                    doc = Document{Place::PageText, page.node, -1, -1, 0, std::move(text), {}};
                    return true;
                }
            }
            m_place = Place::Cell;
            m_item = 0;
            break;
        case Place::Cell:
            return nextRows(doc);
        }
    }
}

bool ContentWalk::nextRows(Document &doc)
{
    while (true) {
        if (!m_ahead.isEmpty()) {
            doc = m_ahead.takeFirst();
            return true;
        }
        if (!m_table) {
            if (m_item >= m_content.tables.size())
                return false;
            const QFileInfo file(m_content.tables[m_item].file);
            m_table = std::make_unique<storage::Dataset>();
            m_table->setDirectory(file.absolutePath());
            m_table->setTableName(file.fileName());
            m_table->open();
            m_position = 0;
            m_fieldNames.resize(m_content.tables.size());
            for (const storage::FieldDef &f : m_table->fields()) {
                m_fieldNames[m_item] << f.name;
                if (!m_kinds.contains(storage::kindCode(f.kind)))
                    m_kinds += storage::kindCode(f.kind);
            }
        }
        const storage::Fields &fields = m_table->fields();
        QVector<int> all(fields.size());
        std::iota(all.begin(), all.end(), 0);
        std::optional<storage::TextHint> hint;
        if (m_finder)
            hint = storage::textHint(fields, all, *m_finder);
        const int table = m_item;
        const int stopped = m_table->scan(
            m_position,
            [&](int position, const storage::RowView &row) {
                bool held = false;
                for (int f = 0; f < fields.size() && !held; ++f)
                    held = m_finder ? row.containsText(f, *m_finder) : !row.plainText(f).isEmpty();
                if (!held)
                    return true;
                Document d{Place::Cell, m_content.tables[table].node, table, m_table->rowIdAt(position), position + 1, {}, {}};
                d.cells.reserve(fields.size());
                for (int f = 0; f < fields.size(); ++f) {
                    QString cell = row.plainText(f);
                    cell.replace(cellSeparator, u' ');
                    d.cells << std::move(cell);
                }
                m_ahead << std::move(d);
                return m_ahead.size() < rowsAhead;
            },
            nullptr, hint ? &*hint : nullptr);
        m_position = stopped + 1;
        if (stopped >= m_table->recordCount()) {
            m_table.reset();
            ++m_item;
        }
    }
}

void DocumentHits::start(Document doc, NodeInfo node, TableInfo table)
{
    m_doc = std::move(doc);
    m_node = std::move(node);
    m_table = std::move(table);
    m_from = 0;
    m_field = 0;
    m_occurrence = 0;
    m_done = m_needle.isEmpty();
}

Hit DocumentHits::base() const
{
    Hit hit;
    hit.place = m_doc.place;
    hit.node = m_node.ref;
    hit.pageTitle = m_node.title;
    return hit;
}

bool DocumentHits::next(Hit &hit)
{
    if (m_done)
        return false;
    switch (m_doc.place) {
    case Place::Title:
    case Place::Note: {
        m_done = true;
        const qsizetype at = m_doc.text.indexOf(m_needle, 0, Qt::CaseSensitive);
        if (at < 0)
            return false;
        hit = base();
        setExcerpt(hit, m_doc.text, at, m_needle.size());
        return true;
    }
    case Place::PageText: {
        const qsizetype at = m_doc.text.indexOf(m_needle, m_from, Qt::CaseSensitive);
        if (at < 0) {
            m_done = true;
            return false;
        }
        hit = base();
        hit.occurrence = m_occurrence++;
        setExcerpt(hit, m_doc.text, at, m_needle.size());
        m_from = at + m_needle.size();
        return true;
    }
    case Place::Cell:
        while (m_field < m_doc.cells.size()) {
            const int field = m_field++;
            const QString &cell = m_doc.cells[field];
            const qsizetype at = cell.indexOf(m_needle, 0, Qt::CaseSensitive);
            if (at < 0)
                continue;
            hit = base();
            hit.table = m_table.name;
            hit.rowId = m_doc.rowId;
            hit.rowNumber = m_doc.rowNumber;
            hit.field = field;
            hit.fieldName = m_table.fieldNames.value(field);
            setExcerpt(hit, cell, at, m_needle.size());
            return true;
        }
        m_done = true;
        return false;
    }
    return false;
}

QString rowText(const QStringList &cells)
{
    return cells.join(cellSeparator);
}

QStringList rowCells(const QString &text)
{
    return text.split(cellSeparator);
}

} // namespace fulltext
