#pragma once
#include "core/dialogs.h"

#include <QPrinter>
#include <QQueue>
#include <QStringList>

// Dialogs for tests: records every text shown and answers from queues without blocking.
class ScriptedDialogs : public core::Dialogs {
public:
    ScriptedDialogs() { core::setDialogs(this); }
    ~ScriptedDialogs() override { core::setDialogs(nullptr); }

    void notice(QWidget *, const QString &text) override { notices << text; }
    void error(const QString &text) override { errors << text; }
    bool confirm(QWidget *, const QString &text) override
    {
        questions << text;
        return answers.isEmpty() ? true : answers.dequeue();
    }
    SaveChoice askSave(QWidget *, const QString &text) override
    {
        questions << text;
        return saveChoices.isEmpty() ? SaveChoice::Cancel : saveChoices.dequeue();
    }
    QString openFile(QWidget *, const QString &, const QString &) override { return files.isEmpty() ? QString() : files.dequeue(); }
    QString saveFile(QWidget *, const QString &, const QString &) override { return files.isEmpty() ? QString() : files.dequeue(); }
    bool choosePrinter(QWidget *, QPrinter &printer) override
    {
        if (!printFile.isEmpty()) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(printFile);
        }
        return printAnswer;
    }
    void about(QWidget *, const QString &caption, const QString &text) override { abouts << caption + u'\n' + text; }

    void clear() { notices.clear(); errors.clear(); questions.clear(); abouts.clear(); }

    QStringList notices;   // texts of notice boxes, in order
    QStringList errors;    // texts of default error boxes
    QStringList questions; // texts of OK/Cancel questions
    QQueue<bool> answers;  // answers to questions (OK when empty)
    QQueue<SaveChoice> saveChoices; // answers to save questions (cancel when empty)
    QQueue<QString> files; // paths chosen in file dialogs (cancel when empty)
    bool printAnswer = false;
    QString printFile;     // when set, a chosen printer writes this PDF file
    QStringList abouts;    // caption and text of 关于 boxes
};
