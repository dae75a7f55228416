#include "qtdialogs.h"

#include "guard.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QRegularExpression>
#include <QPrinter>
#include <QPushButton>

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

Dialogs::SaveChoice QtDialogs::askSave(QWidget *owner, const QString &text)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("提示"), text, QMessageBox::NoButton, owner);
    QPushButton *save = box.addButton(QStringLiteral("保存"), QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(QStringLiteral("不保存"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    run(box);
    if (box.clickedButton() == save)
        return SaveChoice::Save;
    return box.clickedButton() == discard ? SaveChoice::Discard : SaveChoice::Cancel;
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
    // The default extension follows the chosen filter ("*.rst (*.rst)" gives "rst").
    const auto suffixOf = [](const QString &filter) {
        static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
        return pattern.match(filter).captured(1);
    };
    dlg.setDefaultSuffix(suffixOf(dlg.selectedNameFilter()));
    QObject::connect(&dlg, &QFileDialog::filterSelected, &dlg, [&](const QString &f) { dlg.setDefaultSuffix(suffixOf(f)); });
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    return dlg.selectedFiles().constFirst();
}

bool QtDialogs::choosePrinter(QWidget *owner, QPrinter &printer)
{
    QPrintDialog dlg(&printer, owner);
    return dlg.exec() == QDialog::Accepted;
}

bool QtDialogs::previewPrint(QWidget *owner, QPrinter &printer, const std::function<void(QPrinter &)> &paint)
{
    // The preview's own print button opens the print dialog (a printer, or a PDF file).
    QPrintPreviewDialog dlg(&printer, owner);
    dlg.setWindowModality(Qt::ApplicationModal);
    // Painting runs inside the dialog's loop: an error waits until the dialog is closed and then
    // ends the handler that asked for the preview.
    QObject::connect(&dlg, &QPrintPreviewDialog::paintRequested, &dlg,
                     [&](QPrinter *p) { guarded([&] { paint(*p); }); });
    const bool printed = dlg.exec() == QDialog::Accepted;
    rethrowPending();
    return printed;
}

void QtDialogs::about(QWidget *owner, const QString &caption, const QString &text)
{
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, owner);
    box.setIconPixmap(QApplication::windowIcon().pixmap(64, 64));
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    run(box);
}

} // namespace core
