// mkcontent: compiles the bundled content folder into the data directory beside the handbook.
#include "builder.h"

#include "core/error.h"
#include "fulltext/indexfile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv); // pictures are drawn with fonts: run with -platform offscreen
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: mkcontent CONTENT_DIR OUT_DIR\n");
        return 2;
    }
    try {
        const QDateTime stamp = QFileInfo(QCoreApplication::applicationFilePath()).lastModified();
        int n = content::build(args[1], args[2], stamp);
        // The full-text index follows the tables, notes and pages it was built from.
        if (fulltext::updateIndex(args[2]))
            ++n;
        std::printf("mkcontent: %d file(s) written to %s\n", n, qPrintable(args[2]));
    } catch (const core::Error &e) {
        std::fprintf(stderr, "mkcontent: %s\n", e.text().toUtf8().constData());
        return 1;
    }
    return 0;
}
