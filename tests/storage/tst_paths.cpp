// File names that resolve without regard to letter case, with "\" and doubled separators.
#include "storage/paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TstPaths : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void resolve_data();
    void resolve();
    void exactMatchWins();
    void resolveInside_data();
    void resolveInside();
    void tableFileName_data();
    void tableFileName();

private:
    QTemporaryDir m_dir;
};

void TstPaths::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkpath(u"database"_qs));
    QVERIFY(QDir(m_dir.path()).mkpath(u"shape_location/DATAS"_qs));
    for (const QString &f : {u"database/vtree.DB"_qs, u"shape_location/DATAS/varnok.mdb"_qs, u"database/vt01.db"_qs}) {
        QFile file(m_dir.path() + u'/' + f);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
}

void TstPaths::resolve_data()
{
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("found"); // relative to the directory; empty: nothing
    QTest::newRow("exact") << u"/database/vtree.DB"_qs << u"database/vtree.DB"_qs;
    QTest::newRow("lower-case name") << u"/database/vtree.db"_qs << u"database/vtree.DB"_qs;
    QTest::newRow("upper-case folder") << u"/DATABASE/VTREE.DB"_qs << u"database/vtree.DB"_qs;
    QTest::newRow("backslashes") << u"\\shape_location\\DATAS\\varnok.mdb"_qs << u"shape_location/DATAS/varnok.mdb"_qs;
    QTest::newRow("doubled separators") << u"//Shape_Location\\\\datas\\varnok.MDB"_qs << u"shape_location/DATAS/varnok.mdb"_qs;
    QTest::newRow("folder") << u"/Database/"_qs << u"database"_qs;
    QTest::newRow("missing file") << u"/database/ibook.db"_qs << QString();
    QTest::newRow("missing folder") << u"/dat/gongcha.db"_qs << QString();
}

void TstPaths::resolve()
{
    QFETCH(QString, asked);
    QFETCH(QString, found);
    const QString got = storage::resolvePath(m_dir.path() + asked);
    if (found.isEmpty()) {
        QCOMPARE(got, QString());
        return;
    }
    QCOMPARE(QDir::cleanPath(got), m_dir.path() + u'/' + found);
}

void TstPaths::exactMatchWins()
{
    QTemporaryDir dir;
    for (const QString &f : {u"a.DB"_qs, u"A.db"_qs}) {
        QFile file(dir.path() + u'/' + f);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(storage::resolvePath(dir.path() + u"/A.db"_qs), dir.path() + u"/A.db"_qs);
    QCOMPARE(storage::resolvePath(dir.path() + u"/a.DB"_qs), dir.path() + u"/a.DB"_qs);
}

void TstPaths::resolveInside_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("found"); // relative to the directory; empty: nothing
    QTest::newRow("name in the folder") << u"VTREE.db"_qs << u"database/vtree.DB"_qs;
    QTest::newRow("down and up inside") << u"sub/../vt01.db"_qs << u"database/vt01.db"_qs;
    QTest::newRow("up out of the folder") << u"../shape_location/DATAS/varnok.mdb"_qs << QString();
    QTest::newRow("up with backslashes") << u"..\\shape_location\\DATAS\\varnok.mdb"_qs << QString();
    QTest::newRow("up out of the folder, then back") << u"../database/vtree.DB"_qs << QString();
    QTest::newRow("absolute path") << m_dir.path() + u"/database/vtree.DB"_qs << QString();
    QTest::newRow("drive letter") << u"C:\\vtree.DB"_qs << QString();
    QTest::newRow("the folder itself") << u"."_qs << QString();
    QTest::newRow("empty") << QString() << QString();
}

void TstPaths::resolveInside()
{
    QFETCH(QString, name);
    QFETCH(QString, found);
    const QString got = storage::resolveInside(m_dir.path() + u"/database"_qs, name);
    QCOMPARE(got.isEmpty(), found.isEmpty());
    if (!found.isEmpty())
        QCOMPARE(QDir::cleanPath(got), m_dir.path() + u'/' + found);
}

void TstPaths::tableFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("file");
    QTest::newRow("no extension") << u"vt01"_qs << u"vt01.db"_qs;
    QTest::newRow("lower extension") << u"ibook.db"_qs << u"ibook.db"_qs;
    QTest::newRow("upper extension") << u"History.DB"_qs << u"History.DB"_qs;
    QTest::newRow("chinese") << u"公差"_qs << u"公差.db"_qs;
}

void TstPaths::tableFileName()
{
    QFETCH(QString, name);
    QFETCH(QString, file);
    QCOMPARE(storage::tableFileName(name), file);
}

QTEST_APPLESS_MAIN(TstPaths)
#include "tst_paths.moc"
