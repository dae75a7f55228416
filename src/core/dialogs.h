#pragma once
#include <QString>

#include <functional>

class QWidget;
class QPrinter;

namespace core {

// Every modal box and dialog of the program goes through this interface, so tests can answer
// them without blocking. The application installs the real one at start.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Notice box: caption "提示", the text, one OK button.
    virtual void notice(QWidget *owner, const QString &text) = 0;
    // The application's default error box: the error's own text and OK.
    virtual void error(const QString &text) = 0;
    // OK / Cancel question (the record navigator's "Delete record?"); true for OK.
    virtual bool confirm(QWidget *owner, const QString &text) = 0;
    // Before unsaved text would be discarded: "保存" / "不保存" / "取消", caption "提示".
    enum class SaveChoice { Save, Discard, Cancel };
    virtual SaveChoice askSave(QWidget *owner, const QString &text) = 0;
    // File dialogs: the chosen path, or empty when cancelled.
    virtual QString openFile(QWidget *owner, const QString &dir, const QString &filter) = 0;
    virtual QString saveFile(QWidget *owner, const QString &dir, const QString &filter) = 0;
    // Print dialog: false when cancelled.
    virtual bool choosePrinter(QWidget *owner, QPrinter &printer) = 0;
    // Print preview: shows what `paint` prints on the printer's pages, and prints it (or writes a
    // PDF) through the print dialog when the user asks; false when nothing was printed. Without
    // a preview of its own a dialogs object asks the print dialog and prints.
    virtual bool previewPrint(QWidget *owner, QPrinter &printer, const std::function<void(QPrinter &)> &paint)
    {
        if (!choosePrinter(owner, printer))
            return false;
        paint(printer);
        return true;
    }
    // The box of 帮助 → 关于: its caption, the text and OK.
    virtual void about(QWidget *owner, const QString &caption, const QString &text) = 0;
};

Dialogs &dialogs();
// Installs the dialogs used from now on; the caller keeps ownership.
void setDialogs(Dialogs *dialogs);

} // namespace core
