#pragma once
#include <QWidget>

class QToolButton;

namespace binding {

class DataSource;

// Record navigator: first, prior, next, last and delete (after "Delete record?").
class DBNavigator : public QWidget {
    Q_OBJECT
public:
    explicit DBNavigator(QWidget *parent = nullptr);
    void setDataSource(DataSource *source);

    QToolButton *firstButton() const { return m_first; }
    QToolButton *priorButton() const { return m_prior; }
    QToolButton *nextButton() const { return m_next; }
    QToolButton *lastButton() const { return m_last; }
    QToolButton *deleteButton() const { return m_delete; }

private:
    void updateButtons();
    DataSource *m_source = nullptr;
    QToolButton *m_first, *m_prior, *m_next, *m_last, *m_delete;
};

} // namespace binding
