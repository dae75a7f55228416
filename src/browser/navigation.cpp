#include "navigation.h"

#include "catalogue.h"
#include "core/numbers.h"
#include "core/sharedstate.h"
#include "storage/dataset.h"

#include <QVariantList>

namespace browser {

namespace {

bool isBlank(const QVariant &v)
{
    return !v.isValid() || v.isNull();
}

const QStringList &keptFields()
{
    static const QStringList names = {QStringLiteral("CID"),    QStringLiteral("ParentID"), QStringLiteral("CName"),
                                      QStringLiteral("CFrame"), QStringLiteral("COrder"),   QStringLiteral("CTable"),
                                      QStringLiteral("CMemo"),  QStringLiteral("CImage")};
    return names;
}

} // namespace

unsigned pageKind(const QString &cframe)
{
    return static_cast<unsigned>(core::parseInt(cframe));
}

bool selectPage(const storage::Dataset &source, const ShowPageFn &showPage)
{
    core::SharedState &s = core::shared();
    s.CurTable.clear();
    s.CurPicture.clear();
    const QVariant table = source.value(QStringLiteral("CTable"));
    if (!isBlank(table))
        s.CurTable = table.toString();
    const QVariant picture = source.value(QStringLiteral("CImage"));
    if (!isBlank(picture))
        s.CurPicture = picture.toString();
    s.KeyColumns = 0;
    const QVariant order = source.value(QStringLiteral("COrder"));
    if (!isBlank(order))
        s.KeyColumns = order.toInt();
    const QVariant frame = source.value(QStringLiteral("CFrame"));
    if (isBlank(frame)) {
        showPage(0);
        return false;
    }
    s.CurTitle = fieldText(source, QStringLiteral("CName"));
    showPage(pageKind(frame.toString()));
    return true;
}

void appendCatalogueCopy(storage::Dataset &target, const storage::Dataset &source)
{
    QVariantList values;
    for (const QString &name : keptFields())
        values << source.value(name);
    if (!target.isOpen())
        target.open();
    target.last();
    target.append();
    for (int i = 0; i < values.size(); ++i)
        target.setValue(keptFields()[i], values[i]);
    target.post();
}

QString branchTable(const QString &branchKey)
{
    return branchKey == u"0" ? QStringLiteral("vtree.db") : QStringLiteral("vt%1.db").arg(branchKey);
}

void openNode(storage::Dataset &catalogue, const TTreeRec &node)
{
    catalogue.close();
    catalogue.setTableName(branchTable(node.BranchKey));
    catalogue.open();
    catalogue.locate(QStringLiteral("CID"), node.NodeID, storage::LocateOptions{true, false});
}

History::History(storage::Dataset &table, ShowPageFn showPage) : m_table(table), m_showPage(std::move(showPage)) {}

void History::add(const storage::Dataset &source)
{
    if (!m_table.isOpen())
        m_table.open();
    // The oldest visit goes and the new one comes in one transaction: a crash between the two
    // leaves neither undone half.
    m_table.inTransaction([&] {
        if (m_table.recordCount() >= MaxRows) {
            m_table.first();
            m_table.deleteCurrent();
        }
        appendCatalogueCopy(m_table, source);
    });
    m_table.close();
}

void History::stepNewer()
{
    if (!m_table.isOpen())
        m_table.open();
    m_table.next();
    if (m_table.eof())
        return;
    showCurrent();
}

void History::stepOlder()
{
    if (!m_table.isOpen()) {
        m_table.open();
        m_table.last();
    }
    m_table.prior();
    if (m_table.bof())
        return;
    showCurrent();
}

void History::showCurrent()
{
    core::SharedState &s = core::shared();
    s.CurTable.clear();
    const QVariant table = m_table.value(QStringLiteral("CTable"));
    if (!isBlank(table))
        s.CurTable = table.toString();
    const QVariant picture = m_table.value(QStringLiteral("CImage"));
    if (!isBlank(picture))
        s.CurPicture = picture.toString();
    const QVariant frame = m_table.value(QStringLiteral("CFrame"));
    if (isBlank(frame)) {
        m_showPage(0);
        return;
    }
    s.CurTitle = fieldText(m_table, QStringLiteral("CName"));
    m_showPage(pageKind(frame.toString()));
}

} // namespace browser
