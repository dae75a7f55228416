#include "DataUnit.h"

TData2 *Data2 = nullptr;

namespace {
storage::Dataset *tableOf(storage::Database *db, const QString &name)
{
    auto *table = new storage::Dataset;
    table->setDatabase(db);
    table->setTableName(name);
    return table;
}
} // namespace

TData2::TData2()
    : ADOTable1(tableOf(&ADOConnection1, QStringLiteral("标准公差数值")))
    , ADOTable2(tableOf(&ADOConnection1, QStringLiteral("孔的基本偏差数值")))
    , ADOTable3(tableOf(&ADOConnection1, QStringLiteral("轴的基本偏差数值")))
{
}

TData2::~TData2()
{
    delete ADOTable3;
    delete ADOTable2;
    delete ADOTable1;
}

void TData2::open(const QString &connectionString)
{
    ADOConnection1.setConnectionString(connectionString);
    ADOConnection1.connect();
    ADOTable1->open();
    ADOTable2->open();
    ADOTable3->open();
}

namespace fits {
QString toleranceConnectionString(const QString &dataDir)
{
    QString dir = dataDir;
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Password=\"\";Data Source=") + dir
        + QStringLiteral("\\Tolerance\\DATAS\\varnok.mdb;Persist Security Info=True");
}
} // namespace fits
