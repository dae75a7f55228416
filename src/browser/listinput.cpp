#include "listinput.h"

#include "core/guard.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QMouseEvent>

namespace browser {

ListInput::ListInput(QAbstractItemView *view, ClickFn clicked, MenuFn menuRequested)
    : QObject(view), m_view(view), m_clicked(std::move(clicked)), m_menuRequested(std::move(menuRequested))
{
    // Mouse events arrive at the viewport; a context menu from the keyboard at the view.
    view->viewport()->installEventFilter(this);
    view->installEventFilter(this);
}

bool ListInput::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        if (watched != m_view->viewport())
            return false;
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            return true; // neither the highlight moves nor anything acts
        if (event->type() == QEvent::MouseButtonDblClick) {
            m_afterDoubleClick = true;
            return false;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            // The press has already moved the highlight; the release of a double-click's second
            // click adds nothing to the first.
            if (std::exchange(m_afterDoubleClick, false))
                return false;
            if (m_clicked)
                core::guarded(m_clicked);
        }
        return false;
    }
    case QEvent::ContextMenu: {
        auto *menu = static_cast<QContextMenuEvent *>(event);
        const QModelIndex item = menu->reason() == QContextMenuEvent::Keyboard
                                     ? m_view->currentIndex()
                                     : m_view->indexAt(m_view->viewport()->mapFromGlobal(menu->globalPos()));
        menu->accept();
        if (m_menuRequested)
            core::guarded([&] { m_menuRequested(item, menu->globalPos()); });
        return true;
    }
    default: return false;
    }
}

} // namespace browser
