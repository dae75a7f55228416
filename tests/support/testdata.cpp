#include "testdata.h"

#include "builder.h"
#include "csv.h"
#include "tables.h"

#include <QDir>

namespace testdata {

QString contentDir()
{
    const QString env = qEnvironmentVariable("HANDBOOK_CONTENT");
    return env.isEmpty() ? QStringLiteral(HANDBOOK_SOURCE_DIR "/content") : env;
}

void buildSample(const QString &dir)
{
    content::build(contentDir(), dir);
}

void writeTable(const QString &path, const QString &csvText)
{
    content::writeTableFile(path, content::parseCsv(csvText));
}

} // namespace testdata
