#pragma once
#include <QModelIndex>
#include <QObject>
#include <QPoint>

#include <functional>

class QAbstractItemView;

namespace browser {

// The mouse input of a list of the left pane (the catalogue tree, the index and find lists):
// - a left-button click runs `clicked` once at its release, also when it is the second click of
//   a double-click (one click, one page shown);
// - the middle and right buttons neither move the highlight nor act;
// - a context menu (right button or the keyboard) runs `menuRequested` with the item it was
//   opened on (the item under the pointer, or the current item from the keyboard; invalid over
//   empty space) and the menu's screen position.
class ListInput : public QObject {
public:
    using ClickFn = std::function<void()>;
    using MenuFn = std::function<void(const QModelIndex &item, const QPoint &globalPos)>;

    ListInput(QAbstractItemView *view, ClickFn clicked, MenuFn menuRequested);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAbstractItemView *m_view;
    ClickFn m_clicked;
    MenuFn m_menuRequested;
    bool m_afterDoubleClick = false;
};

} // namespace browser
