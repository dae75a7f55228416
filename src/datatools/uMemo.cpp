#include "uMemo.h"

#include "core/fonts.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

TfrmMemo *frmMemo = nullptr;

TfrmMemo::TfrmMemo(const QPlainTextEdit *pageNote) : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QString());
    resize(696, 480);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    setAccessibleName(QStringLiteral("注释")); // the window has no caption
    DBMemo1 = new QPlainTextEdit(this);
    DBMemo1->setAccessibleName(QStringLiteral("注释"));
    DBMemo1->setFont(core::songti(16));
    // The note is shown, not edited: a node's note is stored in its branch table and again in
    // the index table, and an edit through one box would leave the two disagreeing.
    DBMemo1->setReadOnly(true);
    layout->addWidget(DBMemo1);
    auto follow = [this, pageNote] { DBMemo1->setPlainText(pageNote->toPlainText()); };
    follow();
    connect(pageNote, &QPlainTextEdit::textChanged, this, follow);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
