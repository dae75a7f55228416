#pragma once
#include "storage/database.h"
#include "storage/dataset.h"

// The geometric tolerance database and its four tables. The main window sets the connection
// string, connects and opens the tables at start-up, and closes them at the end; the calculator
// only reads them.
class TData {
public:
    TData();
    TData(const TData &) = delete;
    TData &operator=(const TData &) = delete;

    storage::Database ADOConnection1;
    storage::Dataset *ADOTable1; // "直线平面度"
    storage::Dataset *ADOTable2; // "圆度圆柱度"
    storage::Dataset *ADOTable3; // "平行垂直倾斜度"
    storage::Dataset *ADOTable4; // "同轴对称跳动"

    // Sets the connection string, connects and opens the four tables in order.
    void open(const QString &connectionString);

    // The table of a characteristic's row (1 to 4).
    storage::Dataset &table(int number);

private:
    storage::Dataset m_tables[4];
};

extern TData *Data;

namespace geotol {
// The connection string of the geometric tolerance database under a data directory.
QString shapeConnectionString(const QString &dataDir);
}
