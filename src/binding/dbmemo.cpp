#include "dbmemo.h"

#include "core/guard.h"
#include "core/text.h"
#include "datasource.h"
#include "storage/dataset.h"

namespace binding {

DBMemo::DBMemo(QWidget *parent) : QPlainTextEdit(parent)
{
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_loading)
            m_dirty = true;
    });
}

void DBMemo::setDataSource(DataSource *source)
{
    store();
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (source) {
        connect(source, &DataSource::currentChanged, this, &DBMemo::load);
        connect(source, &DataSource::reset, this, &DBMemo::load);
    }
    load();
}

void DBMemo::setDataField(const QString &field)
{
    m_field = field;
    load();
}

void DBMemo::load()
{
    if (m_dirty)
        return; // never overwrite what the user is typing with a move caused by the same edit
    QString text;
    const storage::Dataset *ds = m_source ? m_source->dataset() : nullptr;
    if (ds && ds->isOpen() && !ds->isEmpty() && ds->fieldIndex(m_field) >= 0)
        text = core::fromCrLf(ds->value(m_field).toString());
    if (text == toPlainText())
        return;
    m_loading = true;
    setPlainText(text);
    m_loading = false;
}

void DBMemo::store()
{
    if (!m_dirty)
        return;
    m_dirty = false;
    storage::Dataset *ds = m_source ? m_source->dataset() : nullptr;
    if (!ds || !ds->isOpen() || ds->isEmpty() || isReadOnly())
        return;
    const QString text = core::toCrLf(toPlainText());
    core::guarded([&] {
        ds->setValue(m_field, text);
        ds->post();
    });
}

void DBMemo::focusOutEvent(QFocusEvent *event)
{
    store();
    QPlainTextEdit::focusOutEvent(event);
}

void DBMemo::mouseDoubleClickEvent(QMouseEvent *event)
{
    QPlainTextEdit::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

} // namespace binding
