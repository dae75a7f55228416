#include "qtdialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace core {

namespace {
int run(QMessageBox &box)
{
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    return box.exec();
}
} // namespace

void QtDialogs::notice(QWidget *owner, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("提示"), text, QMessageBox::Ok, owner);
    run(box);
}

void QtDialogs::error(const QString &text)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    run(box);
}

bool QtDialogs::confirm(QWidget *owner, const QString &text)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text,
                    QMessageBox::Ok | QMessageBox::Cancel, owner);
    return run(box) == QMessageBox::Ok;
}

QString QtDialogs::openFile(QWidget *owner, const QString &dir, const QString &filter)
{
    return QFileDialog::getOpenFileName(owner, QString(), dir, filter, nullptr,
                                        QFileDialog::DontUseNativeDialog);
}

QString QtDialogs::saveFile(QWidget *owner, const QString &dir, const QString &filter)
{
    QFileDialog dlg(owner, QString(), dir, filter);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setDefaultSuffix(QStringLiteral("rst"));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    return dlg.selectedFiles().constFirst();
}

bool QtDialogs::choosePrinter(QWidget *owner, QPrinter &printer)
{
    QPrintDialog dlg(&printer, owner);
    return dlg.exec() == QDialog::Accepted;
}

} // namespace core
