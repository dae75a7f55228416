#pragma once
#include <QObject>
#include <QString>
#include <QTimer>

class QPlainTextEdit;

namespace datatools {

// Puts a long text into a plain-text box a slice of lines at a time: the first lines at once, the
// rest on the following turns of the event loop. Building a text box's document costs a few
// microseconds a line (a report of 100,000 rows took a quarter of a second), so the window shows
// at once and stays responsive while the rest arrives. Whoever reads or stores the box's text
// calls finish() first.
class PaneFiller : public QObject {
public:
    explicit PaneFiller(QPlainTextEdit *pane);

    // Replaces the box's text with `text` (lines ended by CR LF or LF, as stored).
    void fill(const QString &text);
    // Puts the rest of the text in at once.
    void finish();
    // Drops the rest (the box's text is being replaced or emptied).
    void cancel();
    bool filling() const { return m_at < m_text.size(); }

private:
    // The next slice: lines from the current position up to about `chars` characters.
    QString slice(qsizetype chars);
    void appendSlice(qsizetype chars);
    void done();

    QPlainTextEdit *m_pane;
    QString m_text;
    qsizetype m_at = 0;
    QTimer m_timer;
};

} // namespace datatools
