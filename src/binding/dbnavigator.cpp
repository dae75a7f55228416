#include "dbnavigator.h"

#include "core/dialogs.h"
#include "core/guard.h"
#include "datasource.h"
#include "storage/dataset.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

namespace binding {

namespace {
QToolButton *makeButton(QWidget *parent, QStyle::StandardPixmap icon, const QString &tip)
{
    auto *b = new QToolButton(parent);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setToolTip(tip);
    b->setAutoRaise(false);
    return b;
}
} // namespace

DBNavigator::DBNavigator(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_first = makeButton(this, QStyle::SP_MediaSkipBackward, QStringLiteral("First record"));
    m_prior = makeButton(this, QStyle::SP_MediaSeekBackward, QStringLiteral("Prior record"));
    m_next = makeButton(this, QStyle::SP_MediaSeekForward, QStringLiteral("Next record"));
    m_last = makeButton(this, QStyle::SP_MediaSkipForward, QStringLiteral("Last record"));
    m_delete = makeButton(this, QStyle::SP_DialogDiscardButton, QStringLiteral("Delete record"));
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
