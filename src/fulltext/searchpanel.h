#pragma once
#include "hit.h"

#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QListView;

namespace fulltext {

class HitModel;

// The "全文" tab: a search box, a line saying what the search used and found, and the hits.
// Every change of the box searches again; a click on a hit, or Return on it (or in the box, for
// the current or first hit), chooses it.
class SearchPanel : public QWidget {
    Q_OBJECT
public:
    explicit SearchPanel(QWidget *parent = nullptr);

    // The data directory searched (AppDir); asked at every search.
    void setDataDirectory(std::function<QString()> dir) { m_dir = std::move(dir); }
    // Runs the search for the box's text (the box's change handler).
    void E_fullChange();
    // Says something about the last chosen hit below the box (e.g. that its row is filtered out).
    void setNotice(const QString &text);

    QLabel *Label3;
    QLineEdit *E_full;
    QLabel *L_state;
    QListView *LV_full;
    HitModel *hits;

signals:
    // hit: the chosen hit; text: the text it was found for.
    void hitChosen(const fulltext::Hit &hit, const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void choose(int row);
    void showState();
    int screenful() const;
    std::function<QString()> m_dir;
    QString m_notice;
};

} // namespace fulltext
