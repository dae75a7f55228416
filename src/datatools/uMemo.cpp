#include "uMemo.h"

#include "binding/dbmemo.h"
#include "core/fonts.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

TfrmMemo *frmMemo = nullptr;

TfrmMemo::TfrmMemo(binding::DataSource *dsTree) : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QString());
    resize(696, 480);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    DBMemo1 = new binding::DBMemo(this);
    DBMemo1->setFont(core::songti(16));
    // The note is shown, not edited: a node's note is stored in its branch table and again in
    // the index table, and an edit through one box would leave the two disagreeing.
    DBMemo1->setReadOnly(true);
    DBMemo1->setDataField(QStringLiteral("CMemo"));
    DBMemo1->setDataSource(dsTree);
    layout->addWidget(DBMemo1);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
