#pragma once
#include "report.h"

#include "core/dialogs.h"

namespace bench {

// Dialogs that answer at once, so timed actions never wait for a box.
class SilentDialogs : public core::Dialogs {
public:
    SilentDialogs() { core::setDialogs(this); }
    ~SilentDialogs() override { core::setDialogs(nullptr); }
    void notice(QWidget *, const QString &) override { ++notices; }
    void error(const QString &text) override { errors << text; }
    bool confirm(QWidget *, const QString &) override { return true; }
    SaveChoice askSave(QWidget *, const QString &) override { return SaveChoice::Discard; }
    QString openFile(QWidget *, const QString &, const QString &) override { return {}; }
    QString saveFile(QWidget *, const QString &, const QString &) override { return {}; }
    bool choosePrinter(QWidget *, QPrinter &) override { return false; }
    void about(QWidget *, const QString &, const QString &) override {}
    int notices = 0;
    QStringList errors;
};

// Times the in-process operations on the synthetic handbook in dir.
QVector<Figure> runOperations(const QString &dir, int runs);

// Child: opens a data page of the table and prints "<ms> <peak KiB increase>".
int openPageChild(int argc, char **argv, const QString &dir, const QString &table);

} // namespace bench
