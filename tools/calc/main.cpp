// handbook-calc: the handbook's two calculators on the command line, reading the same data
// directory (beside the executable, or --data DIR) through the same computation as the windows.
#include "commands.h"

#include <QCoreApplication>

#include <cstdio>

void printOut(const QString &line)
{
    std::fputs((line + u'\n').toUtf8().constData(), stdout);
}

void printErr(const QString &line)
{
    std::fputs((line + u'\n').toUtf8().constData(), stderr);
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString dataDir = QCoreApplication::applicationDirPath();
    const qsizetype d = args.indexOf(QStringLiteral("--data"));
    if (d >= 0) {
        if (d + 1 >= args.size()) {
            printErr(QStringLiteral("--data needs a directory"));
            return 64;
        }
        dataDir = args[d + 1];
        args.remove(d, 2);
    }
    const QString usage = QStringLiteral("usage: handbook-calc [--data DIR] fits SIZE HOLE SHAFT\n"
                                         "       handbook-calc [--data DIR] geotol CHARACTERISTIC L GRADE");
    if (args.isEmpty()) {
        printErr(usage);
        return 64;
    }
    const QString command = args.takeFirst();
    if (command == u"fits")
        return runFits(args, dataDir);
    if (command == u"geotol")
        return runGeotol(args, dataDir);
    printErr(usage);
    return 64;
}
