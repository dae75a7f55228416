#include "searchpanel.h"

#include "core/guard.h"
#include "hitdelegate.h"
#include "hitmodel.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QVBoxLayout>

namespace fulltext {

SearchPanel::SearchPanel(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    Label3 = new QLabel(QStringLiteral("请键入要查找的文字："), this);
    E_full = new QLineEdit(this);
    L_state = new QLabel(this);
    L_state->setWordWrap(true);
    LV_full = new QListView(this);
    Label3->setBuddy(E_full);
    LV_full->setAccessibleName(QStringLiteral("全文检索结果"));
    hits = new HitModel(this);
    LV_full->setModel(hits);
    LV_full->setItemDelegate(new HitDelegate(hits, LV_full));
    LV_full->setUniformItemSizes(true);
    LV_full->setSelectionMode(QAbstractItemView::SingleSelection);
    LV_full->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(Label3);
    layout->addWidget(E_full);
    layout->addWidget(L_state);
    layout->addWidget(LV_full, 1);

    connect(E_full, &QLineEdit::textChanged, this, [this] { core::guarded([this] { E_fullChange(); }); });
    connect(LV_full, &QListView::clicked, this, [this](const QModelIndex &index) { choose(index.row()); });
    connect(hits, &HitModel::fetched, this, &SearchPanel::showState);
    E_full->installEventFilter(this);
    LV_full->installEventFilter(this);
    showState();
}

void SearchPanel::E_fullChange()
{
    m_notice.clear();
    const QString dir = m_dir ? m_dir() : QString();
    const QString text = searchText(E_full->text());
    if (text.isEmpty() || dir.isEmpty()) {
        hits->setSearch(nullptr);
        showState();
        return;
    }
    hits->setScreenful(screenful());
    hits->setSearch(std::make_unique<Search>(dir, text));
    core::rethrowPending();
    if (hits->rowCount() > 0)
        LV_full->setCurrentIndex(hits->index(0));
    showState();
}

void SearchPanel::setNotice(const QString &text)
{
    m_notice = text;
    showState();
}

void SearchPanel::showState()
{
    QStringList lines;
    const Search *search = hits->search();
    if (search) {
        if (search->indexState() == IndexState::Missing)
            lines << QStringLiteral("没有全文索引：直接读取内容查找（较慢）。");
        else if (search->indexState() == IndexState::Stale)
            lines << QStringLiteral("全文索引早于内容，不再使用：直接读取内容查找（较慢）。");
        const int n = hits->rowCount();
        if (!search->atEnd())
            lines << QStringLiteral("已列出 %1 处，向下滚动列出更多。").arg(n);
        else
            lines << (n == 0 ? QStringLiteral("没有找到“%1”。").arg(search->text()) : QStringLiteral("共找到 %1 处。").arg(n));
    } else if (!searchText(E_full->text()).isEmpty()) {
        lines << QStringLiteral("查找未能完成。");
    }
    if (!m_notice.isEmpty())
        lines << m_notice;
    L_state->setText(lines.join(u'\n'));
    L_state->setVisible(!lines.isEmpty());
}

void SearchPanel::choose(int row)
{
    if (row < 0 || row >= hits->rowCount())
        return;
    LV_full->setCurrentIndex(hits->index(row));
    emit hitChosen(hits->hit(row), hits->search() ? hits->search()->text() : QString());
}

bool SearchPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (watched == E_full || watched == LV_full)) {
            const QModelIndex current = LV_full->currentIndex();
            choose(current.isValid() ? current.row() : 0);
            return true;
        }
        if (watched == E_full && key->key() == Qt::Key_Down && hits->rowCount() > 0) {
            LV_full->setFocus();
            if (!LV_full->currentIndex().isValid())
                LV_full->setCurrentIndex(hits->index(0));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

int SearchPanel::screenful() const
{
    // The rows the list shows and one more below its edge, so that it can scroll and the view
    // asks for no more until the user scrolls; the list's own height counts while it is not yet
    // laid out, and a list of no height still gets a few rows.
    const int row = 2 * LV_full->fontMetrics().lineSpacing() + 8;
    const int height = std::max(LV_full->viewport()->height(), LV_full->contentsRect().height());
    return std::max(8, height / row + 2);
}

} // namespace fulltext
