#include "panefill.h"

#include "core/text.h"

#include <QPlainTextEdit>
#include <QTextCursor>

namespace datatools {

namespace {
// About a screenful and more at once; then slices of some milliseconds each.
constexpr qsizetype firstSlice = 32 * 1024;
constexpr qsizetype nextSlices = 256 * 1024;
} // namespace

PaneFiller::PaneFiller(QPlainTextEdit *pane) : QObject(pane), m_pane(pane)
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, [this] { appendSlice(nextSlices); });
}

void PaneFiller::fill(const QString &text)
{
    cancel();
    m_text = text;
    m_at = 0;
    // The slices are put in by the program: none of them is an edit the user could undo.
    m_pane->setUndoRedoEnabled(false);
    m_pane->setPlainText(slice(firstSlice));
    if (filling())
        m_timer.start();
    else
        done();
}

void PaneFiller::finish()
{
    if (filling())
        appendSlice(m_text.size());
}

void PaneFiller::cancel()
{
    if (filling())
        done();
}

QString PaneFiller::slice(qsizetype chars)
{
    // Cut after a line end, so that no CR LF is split between two slices.
    qsizetype end = m_at + chars >= m_text.size() ? -1 : m_text.indexOf(u'\n', m_at + chars);
    end = end < 0 ? m_text.size() : end + 1;
    const QString piece = core::fromCrLf(m_text.mid(m_at, end - m_at));
    m_at = end;
    return piece;
}

void PaneFiller::appendSlice(qsizetype chars)
{
    QTextCursor end(m_pane->document());
    end.movePosition(QTextCursor::End);
    end.insertText(slice(chars));
    if (!filling())
        done();
}

void PaneFiller::done()
{
    m_timer.stop();
    m_text.clear();
    m_at = 0;
    m_pane->setUndoRedoEnabled(true);
}

} // namespace datatools
