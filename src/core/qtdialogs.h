#pragma once
#include "dialogs.h"

namespace core {

// The real dialogs: application-modal Qt boxes, so a second click cannot run inside a waiting
// handler.
class QtDialogs : public Dialogs {
public:
    void notice(QWidget *owner, const QString &text) override;
    void error(const QString &text) override;
    bool confirm(QWidget *owner, const QString &text) override;
    SaveChoice askSave(QWidget *owner, const QString &text) override;
    QString openFile(QWidget *owner, const QString &dir, const QString &filter) override;
    QString saveFile(QWidget *owner, const QString &dir, const QString &filter) override;
    bool choosePrinter(QWidget *owner, QPrinter &printer) override;
    bool previewPrint(QWidget *owner, QPrinter &printer, const std::function<void(QPrinter &)> &paint) override;
    void about(QWidget *owner, const QString &caption, const QString &text) override;
};

} // namespace core
