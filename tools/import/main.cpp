// handbook-import: converts a data directory of Paradox tables into the handbook's own layout.
//   handbook-import [--codepage N] SOURCE TARGET
#include "importer.h"

#include "core/error.h"

#include <QGuiApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char **argv)
{
    // Page texts for the full-text index are laid out with fonts; no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    handbookimport::Options options;
    // The calculators' verified tables come from the handbook's own data directory, beside us.
    options.bundledDir = QCoreApplication::applicationDirPath();
    const qsizetype cp = args.indexOf(QStringLiteral("--codepage"));
    if (cp >= 0 && cp + 1 < args.size()) {
        options.codePage = args[cp + 1].toInt();
        args.remove(cp, 2);
    }
    if (args.size() != 2 || (cp >= 0 && options.codePage <= 0)) {
        std::fprintf(stderr, "usage: handbook-import [--codepage N] SOURCE TARGET\n"
                             "  SOURCE  a data directory whose tables are Paradox files\n"
                             "  TARGET  a new folder: the same directory in the handbook's own layout\n"
                             "  --codepage N  read every table's texts in code page N, whatever its header names\n");
        return 2;
    }
    try {
        const handbookimport::Result result = handbookimport::importDirectory(args[0], args[1], options);
        std::fputs(handbookimport::reportText(result, args[1]).toUtf8().constData(), stdout);
    } catch (const core::Error &e) {
        std::fprintf(stderr, "handbook-import: %s\n%s\n", e.text().toUtf8().constData(),
                     QStringLiteral("未导入任何内容，%1 未改动。").arg(QDir::toNativeSeparators(args[1])).toUtf8().constData());
        return 1;
    }
    return 0;
}
