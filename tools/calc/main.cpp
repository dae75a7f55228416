// handbook-calc: the handbook's two calculators on the command line, reading the same data
// directory (beside the executable or installed, or --data DIR) through the same computation as the windows.
#include "app/datalocation.h"
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

namespace {

const QString help = QStringLiteral(
    "The handbook's calculators on the command line, reading the data directory beside the\n"
    "program (or DIR) through the same computation as the windows. Each prints one JSON object\n"
    "of texts on standard output. Entries are read with the user's decimal separator (30,5 under\n"
    "a comma locale); numbers in the answer are written with '.' whatever the locale.\n"
    "Exit codes: 0 answered; 2 an entry the window would refuse (its notice on standard error,\n"
    "for example \"该公差带在此基本尺寸段未定义\" for a zone ISO 286 does not define); 3 a\n"
    "database error; 64 wrong arguments.\n"
    "\n"
    "fits SIZE HOLE SHAFT   limits and fits, e.g. fits 20 H7 g6 (JS7 is taken for Js7)\n"
    "  size, hole, shaft    the entry: basic size as typed (mm), zone names\n"
    "  ES, EI, es, ei       limit deviations of hole and shaft, mm (\"+0.021\", \"0\", \"-0.007\")\n"
    "  fit                  间隙配合, 过渡配合 or 过盈配合\n"
    "  holeMax, holeMin     upper and lower limit of size of the hole, mm (size + ES, size + EI)\n"
    "  shaftMax, shaftMin   the same for the shaft (size + es, size + ei)\n"
    "  holeTolerance        ES - EI, μm\n"
    "  shaftTolerance       es - ei, μm\n"
    "  maxClearance         最大间隙 ES - ei, μm, for a clearance or transition fit\n"
    "  minClearance         最小间隙 EI - es, μm, for a clearance fit\n"
    "  maxInterference      最大过盈 EI - es, μm (negative), for an interference or transition fit\n"
    "  minInterference      最小过盈 ES - ei, μm (negative or 0), for an interference fit\n"
    "                       an extreme the fit does not have is \"\"\n"
    "\n"
    "it SIZE GRADE          standard tolerance of ISO 286-1, GRADE IT01, IT0, IT1 .. IT18 (or 01, 0, 1 .. 18)\n"
    "  size, grade          the entry as typed, the grade as \"IT7\"\n"
    "  um, mm               the standard tolerance in μm and in mm\n"
    "                       IT01 and IT0 are given up to 500 mm, IT14 .. IT18 above 1 mm\n"
    "\n"
    "geotol CHARACTERISTIC L GRADE   geometric tolerance by GB/T 1184, e.g. geotol 直线度 100 5\n"
    "  characteristic, L, grade      the entry\n"
    "  value                         the tolerance as the window shows it (\"6 μm\")");

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString dataDir = app::programDataDirectory().path;
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
                                         "       handbook-calc [--data DIR] it SIZE GRADE\n"
                                         "       handbook-calc [--data DIR] geotol CHARACTERISTIC L GRADE\n"
                                         "       handbook-calc --help");
    if (args.isEmpty()) {
        printErr(usage);
        return 64;
    }
    const QString command = args.takeFirst();
    if (command == u"--help" || command == u"-h") {
        printOut(usage + u"\n\n"_qs + help);
        return 0;
    }
    if (command == u"fits")
        return runFits(args, dataDir);
    if (command == u"it")
        return runIt(args, dataDir);
    if (command == u"geotol")
        return runGeotol(args, dataDir);
    printErr(usage);
    return 64;
}
