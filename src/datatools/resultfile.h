#pragma once
#include <QString>

// Result files ("*.rst", "*.txt", the default log file cx_jg.rst) and the working text of the
// results log. Texts here hold CR LF line ends, as the files do.
namespace datatools {

// Reads a whole result file (code page 936 / GB18030); lone CR or LF become CR LF.
// Throws core::Error when the file cannot be read.
QString readResultFile(const QString &path);
// Replaces the file's content with the text's code page 936 / GB18030 bytes, nothing added.
// Throws core::Error when the file cannot be written.
void writeResultFile(const QString &path, const QString &text);

// Adds a line at the end: after the text when it is empty or ends with CR LF, otherwise after a
// new CR LF. The line itself may hold line breaks.
QString appendLine(const QString &text, const QString &line);
// The block "导入" adds for a stored result: four spaces, a rule, the result, a rule.
QString appendImportBlock(const QString &text, const QString &storedResult);

} // namespace datatools
