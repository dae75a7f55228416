// Connections to the calculator databases: connection strings, connect, named tables.
#include "storage/database.h"
#include "storage/dataset.h"
#include "storage/error.h"
#include "tables.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TstDatabase : public QObject {
    Q_OBJECT
private slots:
    void init();
    void dataSource_data();
    void dataSource();
    void connectAndOpenTables_data();
    void connectAndOpenTables();
    void missingTableFails();
    void closedConnectionRefusesTables();
    void missingFileNotCreated();
    void nonDatabaseFailsAtConnect();

private:
    QString appDir() const { return m_dir->path() + u'/'; }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TstDatabase::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    const QString mdb = m_dir->path() + u"/shape_location/DATAS/varnok.mdb"_qs;
    QVERIFY(QDir().mkpath(QFileInfo(mdb).absolutePath()));
    content::writeDatabaseFile(mdb, {{u"直线平面度"_qs, content::parseCsv(u"主参数:N,1:N,2:N\n10,0.2,0.4\n16,0.25,0.5\n"_qs)},
                                     {u"圆度圆柱度"_qs, content::parseCsv(u"主参数:N,1:N\n3,0.2\n"_qs)}});
}

void TstDatabase::dataSource_data()
{
    QTest::addColumn<QString>("connection");
    QTest::addColumn<QString>("source");
    QTest::newRow("geometric tolerances")
        << u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/opt/h/\\shape_location\\DATAS\\varnok.mdb;Persist Security Info=False"_qs
        << u"/opt/h/\\shape_location\\DATAS\\varnok.mdb"_qs;
    QTest::newRow("limits and fits, empty password")
        << u"Provider=Microsoft.Jet.OLEDB.4.0;Password=\"\";Data Source=/opt/h/\\Tolerance\\DATAS\\varnok.mdb;Persist Security Info=True"_qs
        << u"/opt/h/\\Tolerance\\DATAS\\varnok.mdb"_qs;
    QTest::newRow("key case and blanks") << u"provider=x; data source = /a/b.mdb ;"_qs << u"/a/b.mdb"_qs;
    QTest::newRow("last item") << u"Data Source=/a/b.mdb"_qs << u"/a/b.mdb"_qs;
    QTest::newRow("missing") << u"Provider=Microsoft.Jet.OLEDB.4.0"_qs << QString();
}

void TstDatabase::dataSource()
{
    QFETCH(QString, connection);
    QFETCH(QString, source);
    QCOMPARE(storage::Database::dataSource(connection), source);
}

void TstDatabase::connectAndOpenTables_data()
{
    QTest::addColumn<QString>("tail");
    QTest::newRow("as start-up builds it") << u"\\shape_location\\DATAS\\varnok.mdb"_qs;
    QTest::newRow("doubled separators") << u"\\\\shape_location\\\\DATAS\\\\varnok.mdb"_qs;
    QTest::newRow("other letter case") << u"\\Shape_Location\\datas\\VARNOK.MDB"_qs;
}

void TstDatabase::connectAndOpenTables()
{
    QFETCH(QString, tail);
    storage::Database db;
    db.setConnectionString(u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source="_qs + appDir() + tail
                           + u";Persist Security Info=False"_qs);
    db.connect();
    QVERIFY(db.connected());
    storage::Dataset t1, t2;
    t1.setDatabase(&db);
    t1.setTableName(u"直线平面度"_qs);
    t2.setDatabase(&db);
    t2.setTableName(u"圆度圆柱度"_qs);
    t1.open();
    t2.open();
    QCOMPARE(t1.recordCount(), 2);
    QCOMPARE(t2.recordCount(), 1);
    QVERIFY(t1.locate(u"主参数"_qs, 16));
    QCOMPARE(t1.number(u"2"_qs), 0.5);
    QCOMPARE(t1.text(u"1"_qs), u"0.25"_qs);
    t1.close();
    t2.close();
    db.disconnect();
    QVERIFY(!db.connected());
}

void TstDatabase::missingTableFails()
{
    storage::Database db;
    db.setConnectionString(u"Data Source="_qs + appDir() + u"shape_location/DATAS/varnok.mdb"_qs);
    db.connect();
    storage::Dataset t;
    t.setDatabase(&db);
    t.setTableName(u"同轴对称跳动"_qs);
    QVERIFY_THROWS_EXCEPTION(storage::Error, t.open());
    QVERIFY(!t.isOpen());
}

void TstDatabase::closedConnectionRefusesTables()
{
    storage::Database db;
    db.setConnectionString(u"Data Source="_qs + appDir() + u"shape_location/DATAS/varnok.mdb"_qs);
    storage::Dataset t;
    t.setDatabase(&db);
    t.setTableName(u"直线平面度"_qs);
    QVERIFY_THROWS_EXCEPTION(storage::Error, t.open());
}

void TstDatabase::missingFileNotCreated()
{
    storage::Database db;
    db.setConnectionString(u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source="_qs + appDir() + u"\\Tolerance\\DATAS\\varnok.mdb"_qs);
    QVERIFY_THROWS_EXCEPTION(storage::Error, db.connect());
    QVERIFY(!db.connected());
    QVERIFY(!QFileInfo::exists(m_dir->path() + u"/Tolerance"_qs));
    db.setConnectionString(u"Provider=Microsoft.Jet.OLEDB.4.0"_qs);
    QVERIFY_THROWS_EXCEPTION(storage::Error, db.connect());
}

void TstDatabase::nonDatabaseFailsAtConnect()
{
    const QString bad = m_dir->path() + u"/bad.mdb"_qs;
    QFile f(bad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    storage::Database db;
    db.setConnectionString(u"Data Source="_qs + bad);
    QVERIFY_THROWS_EXCEPTION(storage::Error, db.connect());
    QVERIFY(!db.connected());
}

QTEST_GUILESS_MAIN(TstDatabase)
#include "tst_database.moc"
