// mkparadox: the sample content as a data directory of the older format (Paradox tables written
// with pxlib), to try handbook-import and the handbook on it.
//   mkparadox CONTENT_DIR OUT_DIR
#include "builder.h"
#include "core/error.h"
#include "paradoxfixture.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv); // the sample's pictures are drawn: run with -platform offscreen
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: mkparadox CONTENT_DIR OUT_DIR\n");
        return 2;
    }
    try {
        QTemporaryDir built;
        content::build(QFileInfo(args[1]).absoluteFilePath(), built.path());
        paradoxfixture::writeParadoxDirectory(built.path(), args[2]);
    } catch (const core::Error &e) {
        std::fprintf(stderr, "mkparadox: %s\n", e.text().toUtf8().constData());
        return 1;
    }
    return 0;
}
