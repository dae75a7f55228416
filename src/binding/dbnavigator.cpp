#include "dbnavigator.h"

#include "core/dialogs.h"
#include "core/guard.h"
#include "datasource.h"
#include "storage/dataset.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <QToolButton>

namespace binding {

namespace {

enum class Glyph { First, Prior, Next, Last, Delete };

// The buttons' pictures are drawn here: the style's standard icons go through an icon theme
// search that costs more at start-up than every other window's setup together.
QIcon glyphIcon(Glyph glyph)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    const QPolygonF left({QPointF(11, 3), QPointF(11, 13), QPointF(4, 8)});
    const QPolygonF right({QPointF(5, 3), QPointF(5, 13), QPointF(12, 8)});
    switch (glyph) {
    case Glyph::First:
        p.drawRect(QRectF(3, 3, 2, 10));
        p.drawPolygon(left.translated(2, 0));
        break;
    case Glyph::Prior: p.drawPolygon(left); break;
    case Glyph::Next: p.drawPolygon(right); break;
    case Glyph::Last:
        p.drawPolygon(right.translated(-2, 0));
        p.drawRect(QRectF(11, 3, 2, 10));
        break;
    case Glyph::Delete: p.drawRect(QRectF(3, 7, 10, 2)); break;
    }
    return QIcon(pm);
}

QToolButton *makeButton(QWidget *parent, Glyph glyph, const QString &tip, const QString &name)
{
    auto *b = new QToolButton(parent);
    b->setIcon(glyphIcon(glyph));
    b->setToolTip(tip);
    b->setAccessibleName(name); // the button shows only a picture
    b->setAutoRaise(false);
    return b;
}
} // namespace

DBNavigator::DBNavigator(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_first = makeButton(this, Glyph::First, QStringLiteral("First record"), QStringLiteral("第一条记录"));
    m_prior = makeButton(this, Glyph::Prior, QStringLiteral("Prior record"), QStringLiteral("上一条记录"));
    m_next = makeButton(this, Glyph::Next, QStringLiteral("Next record"), QStringLiteral("下一条记录"));
    m_last = makeButton(this, Glyph::Last, QStringLiteral("Last record"), QStringLiteral("最后一条记录"));
    m_delete = makeButton(this, Glyph::Delete, QStringLiteral("Delete record"), QStringLiteral("删除记录"));
    for (QToolButton *b : {m_first, m_prior, m_next, m_last, m_delete})
        layout->addWidget(b);
    layout->addStretch();

    auto act = [this](void (storage::Dataset::*move)()) {
        return [this, move] {
            if (m_source && m_source->dataset())
                core::guarded([&] { (m_source->dataset()->*move)(); });
        };
    };
    connect(m_first, &QToolButton::clicked, this, act(&storage::Dataset::first));
    connect(m_prior, &QToolButton::clicked, this, act(&storage::Dataset::prior));
    connect(m_next, &QToolButton::clicked, this, act(&storage::Dataset::next));
    connect(m_last, &QToolButton::clicked, this, act(&storage::Dataset::last));
    connect(m_delete, &QToolButton::clicked, this, [this] {
        storage::Dataset *ds = m_source ? m_source->dataset() : nullptr;
        if (!ds)
            return;
        core::guarded([&] {
            if (core::dialogs().confirm(this, QStringLiteral("Delete record?")))
                ds->deleteCurrent();
        });
    });
    updateButtons();
}

void DBNavigator::setDataSource(DataSource *source)
{
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    connect(source, &DataSource::currentChanged, this, &DBNavigator::updateButtons);
    connect(source, &DataSource::reset, this, &DBNavigator::updateButtons);
    updateButtons();
}

void DBNavigator::updateButtons()
{
    const storage::Dataset *ds = m_source ? m_source->dataset() : nullptr;
    const bool rows = ds && ds->isOpen() && !ds->isEmpty();
    const bool atFirst = !rows || ds->currentIndex() == 0;
    const bool atLast = !rows || ds->currentIndex() == ds->recordCount() - 1;
    m_first->setEnabled(!atFirst);
    m_prior->setEnabled(!atFirst);
    m_next->setEnabled(!atLast);
    m_last->setEnabled(!atLast);
    m_delete->setEnabled(rows);
}

} // namespace binding
