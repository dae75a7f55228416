#include "fitsdata.h"

#include "builder.h"
#include "csv.h"
#include "tables.h"
#include "testdata.h"

#include "fits/DataUnit.h"

#include <QDir>

namespace fitsdata {

void buildContent(const QString &dataDir)
{
    content::build(testdata::contentDir() + u"/Tolerance"_qs, dataDir + u"/Tolerance"_qs);
}

void writeFixture(const QString &dataDir, const QString &tolerances, const QString &holes, const QString &shafts)
{
    const QString dir = dataDir + u"/Tolerance/DATAS"_qs;
    QDir().mkpath(dir);
    content::writeDatabaseFile(dir + u"/varnok.mdb"_qs,
                               {{u"标准公差数值"_qs, content::parseCsv(tolerances)},
                                {u"孔的基本偏差数值"_qs, content::parseCsv(holes)},
                                {u"轴的基本偏差数值"_qs, content::parseCsv(shafts)}});
}

void open(TData2 &data, const QString &dataDir)
{
    data.open(fits::toleranceConnectionString(dataDir));
}

} // namespace fitsdata
