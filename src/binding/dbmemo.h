#pragma once
#include <QPlainTextEdit>

namespace binding {

class DataSource;

// A multi-line box bound to one field of a data source: it shows the field of the current row
// and follows every move. Edits are written back (CR LF line ends) when the box loses focus.
class DBMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit DBMemo(QWidget *parent = nullptr);
    void setDataSource(DataSource *source);
    DataSource *dataSource() const { return m_source; }
    void setDataField(const QString &field);

signals:
    void doubleClicked();

protected:
    void focusOutEvent(QFocusEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void load();
    void store();
    DataSource *m_source = nullptr;
    QString m_field;
    bool m_loading = false;
    bool m_dirty = false;
};

} // namespace binding
