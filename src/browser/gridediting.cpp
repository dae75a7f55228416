#include "gridediting.h"

#include "binding/dbgrid.h"
#include "core/contrast.h"
#include "core/dialogs.h"
#include "storage/dataset.h"
#include "storage/sqlite.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMenu>

namespace browser {

const QString GridEditing::unwritableNotice = QStringLiteral("该数据表文件或其所在的文件夹是只读的，不能编辑");

GridEditing::GridEditing(binding::DBGrid *grid, storage::Dataset *table, QWidget *titleBar)
    : QObject(grid), m_grid(grid), m_table(table), m_titleBar(titleBar),
      m_action(new QAction(QStringLiteral("允许编辑"), grid)), m_badge(new QLabel(titleBar)),
      m_readOnlyPalette(grid->palette())
{
    m_action->setCheckable(true);
    connect(m_action, &QAction::toggled, this, &GridEditing::toggled);
    grid->contextMenu()->addAction(m_action);
    // Only a table that is open can be edited.
    connect(grid->contextMenu(), &QMenu::aboutToShow, this, [this] { m_action->setEnabled(m_table->isOpen() || isOn()); });

    m_badge->setText(QStringLiteral("编辑模式：修改将直接写入数据表"));
    m_badge->setStyleSheet(QStringLiteral("color: white; background: #c0392b; padding: 2px 8px"));
    m_badge->adjustSize();
    m_badge->hide();
    titleBar->installEventFilter(this);
}

bool GridEditing::isOn() const
{
    return m_action->isChecked();
}

void GridEditing::switchOff()
{
    m_action->setChecked(false);
}

void GridEditing::toggled(bool on)
{
    if (on && (!m_table->isOpen() || !storage::canWriteTableFile(m_table->filePath()))) {
        {
            const QSignalBlocker quiet(m_action);
            m_action->setChecked(false);
        }
        if (m_table->isOpen())
            core::dialogs().notice(m_grid, unwritableNotice);
        return;
    }
    show(on);
}

void GridEditing::show(bool on)
{
    m_grid->setEditable(on);
    QPalette p = m_readOnlyPalette;
    if (on) {
        p.setColor(QPalette::Base, QColor(255, 248, 220));
        p.setColor(QPalette::Text, core::readableOn(p.color(QPalette::Text), p.color(QPalette::Base)));
    }
    m_grid->setPalette(p);
    m_badge->setVisible(on);
    placeBadge();
}

bool GridEditing::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_titleBar && event->type() == QEvent::Resize)
        placeBadge();
    return QObject::eventFilter(watched, event);
}

void GridEditing::placeBadge()
{
    // at the right end of the title bar, clear of the title
    m_badge->move(std::max(0, m_titleBar->width() - m_badge->width() - 8), (m_titleBar->height() - m_badge->height()) / 2);
    m_badge->raise();
}

} // namespace browser
