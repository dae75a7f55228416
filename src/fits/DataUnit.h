#pragma once
#include "storage/database.h"
#include "storage/dataset.h"

// The data module of the limits-and-fits calculator: the tolerance database and its three tables,
// opened at start-up and read by the calculator for the whole run.
class TData2 {
public:
    TData2();
    ~TData2();
    TData2(const TData2 &) = delete;
    TData2 &operator=(const TData2 &) = delete;

    // Sets the connection string, connects and opens the three tables in order.
    void open(const QString &connectionString);

    storage::Database ADOConnection1;
    storage::Dataset *ADOTable1; // "标准公差数值": standard tolerances IT1..IT18
    storage::Dataset *ADOTable2; // "孔的基本偏差数值": fundamental deviations of holes
    storage::Dataset *ADOTable3; // "轴的基本偏差数值": fundamental deviations of shafts
};

extern TData2 *Data2;

namespace fits {
// The connection string of the tolerance database under a data directory.
QString toleranceConnectionString(const QString &dataDir);
}
