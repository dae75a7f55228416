#include "DataofShapeLocation.h"

#include <QStringList>

TData *Data = nullptr;

TData::TData()
    : ADOTable1(&m_tables[0]), ADOTable2(&m_tables[1]), ADOTable3(&m_tables[2]), ADOTable4(&m_tables[3])
{
    const QStringList names = {u"直线平面度"_qs, u"圆度圆柱度"_qs, u"平行垂直倾斜度"_qs, u"同轴对称跳动"_qs};
    for (int i = 0; i < 4; ++i) {
        m_tables[i].setDatabase(&ADOConnection1);
        m_tables[i].setTableName(names[i]);
    }
}

storage::Dataset &TData::table(int number)
{
    Q_ASSERT(number >= 1 && number <= 4);
    return m_tables[number - 1];
}

void TData::open(const QString &connectionString)
{
    ADOConnection1.setConnectionString(connectionString);
    ADOConnection1.connect();
    for (storage::Dataset &t : m_tables)
        t.open();
}

namespace geotol {

QString shapeConnectionString(const QString &dataDir)
{
    const QString dir = dataDir.endsWith(u'/') ? dataDir : dataDir + u'/';
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + dir
           + QStringLiteral("\\shape_location\\DATAS\\varnok.mdb;Persist Security Info=False");
}

} // namespace geotol
