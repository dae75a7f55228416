// Building the catalogue tree from the root table and the branch tables.
#include "browser/catalogue.h"
#include "core/error.h"
#include "storage/dataset.h"
#include "testdata.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QString header = QStringLiteral(
    "CID:A20,ParentID:A20,CName:A100,CFrame:A10,COrder:S,ImageIndex:S,SelectedIndex:S,StateIndex:S,"
    "Ctable:A30,CMemo:M240,Cimage:A20\n");

// The tree as text: "title[child,child]" for every root, roots separated by "|".
QString outline(const browser::CatalogueModel &m, const QModelIndex &parent = {})
{
    QStringList parts;
    for (int r = 0; r < m.rowCount(parent); ++r) {
        const QModelIndex i = m.index(r, 0, parent);
        QString s = i.data().toString();
        if (m.rowCount(i) > 0)
            s += u'[' + outline(m, i) + u']';
        parts << s;
    }
    return parts.join(parent.isValid() ? u',' : u'|');
}

// CSV rows "CID,ParentID,CName" become catalogue rows whose title is the CID.
QString rows(const QStringList &triples)
{
    QString csv = header;
    for (const QString &t : triples)
        csv += t + QStringLiteral(",,,0,0,0,,,\n");
    return csv;
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    void write(const QString &name, const QStringList &triples)
    {
        testdata::writeTable(m_dir.filePath(QStringLiteral("%1.db").arg(name)), rows(triples));
    }

    QString build(QString *error = nullptr)
    {
        storage::Dataset roots, branch;
        roots.setDirectory(m_dir.path());
        roots.setTableName(QStringLiteral("vtree.DB"));
        branch.setDirectory(m_dir.path());
        browser::CatalogueModel model;
        try {
            browser::BuildTree(roots, branch, model);
        } catch (const core::Error &e) {
            if (error)
                *error = e.text();
        }
        return outline(model);
    }

private slots:
    void branchOrder_data()
    {
        QTest::addColumn<QStringList>("branch");
        QTest::addColumn<QString>("tree");
        QTest::newRow("siblings in CID text order whatever the file order")
            << QStringList{u"A3,A,A3"_qs, u"A1,A,A1"_qs, u"A10,A,A10"_qs, u"A2,A,A2"_qs} << u"A[A1,A10,A2,A3]|B"_qs;
        QTest::newRow("ids extending their parent's nest")
            << QStringList{u"A1,A,A1"_qs, u"A1b,A1,A1b"_qs, u"A1a,A1,A1a"_qs, u"A1a1,A1a,A1a1"_qs}
            << u"A[A1[A1a[A1a1],A1b]]|B"_qs;
        // Q1's parent A9 hangs under Z0, so A9 comes last in (ParentID, CID) order: when the row
        // of Q1 is reached, A9 is not in the tree yet and Q1 goes under the root.
        QTest::newRow("a parent added after its children leaves them under the root")
            << QStringList{u"A9,Z0,A9"_qs, u"Z0,A,Z0"_qs, u"Q1,A9,Q1"_qs} << u"A[Z0[A9],Q1]|B"_qs;
        QTest::newRow("parent ids match without regard to case")
            << QStringList{u"Ab,A,Ab"_qs, u"x1,aB,x1"_qs} << u"A[Ab[x1]]|B"_qs;
        QTest::newRow("also beyond ASCII")
            << QStringList{u"Äb,A,Äb"_qs, u"x1,äB,x1"_qs} << u"A[Äb[x1]]|B"_qs;
        QTest::newRow("Chinese ids in code page 936 order")
            << QStringList{u"中,A,中"_qs, u"北,A,北"_qs, u"阿,A,阿"_qs} << u"A[阿,北,中]|B"_qs;
    }

    void branchOrder()
    {
        QFETCH(QStringList, branch);
        QFETCH(QString, tree);
        // Roots in stored order: B is stored after A; C has a blank CID and no branch table.
        testdata::writeTable(m_dir.filePath(u"vtree.DB"_qs),
                             header + u"A,0,A,,0,0,0,0,,,\nB,0,B,,0,0,0,0,,,\n,0,C,,0,0,0,0,,,\n"_qs);
        write(u"vtA"_qs, branch);
        write(u"vtB"_qs, {});
        QString error;
        QCOMPARE(build(&error), tree + u"|C"_qs);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    // A root's CID names its branch file and nothing else: text that would change a statement
    // names a file that is not there, and the build stops at it as at any missing branch.
    void rootIdNamesAFileOnly_data()
    {
        QTest::addColumn<QString>("cid");
        QTest::addColumn<QString>("tree");
        QTest::newRow("plain identifier") << u"01"_qs << u"R[K1,K2]|S"_qs;
        QTest::newRow("where clause") << u"01 where 0"_qs << u"R"_qs;
        QTest::newRow("union") << u"01 union select *"_qs << u"R"_qs; // CID holds 20 bytes
        QTest::newRow("comment") << u"01 --"_qs << u"R"_qs;
        QTest::newRow("quote") << u"01' or '1"_qs << u"R"_qs;
    }
    void rootIdNamesAFileOnly()
    {
        QFETCH(QString, cid);
        QTemporaryDir dir;
        testdata::writeTable(dir.filePath(u"vtree.DB"_qs), header + cid + u",0,R,,0,0,0,0,,,\nS,0,S,,0,0,0,0,,,\n"_qs);
        testdata::writeTable(dir.filePath(u"vt01.db"_qs), rows({u"K1,01,K1"_qs, u"K2,01,K2"_qs}));
        testdata::writeTable(dir.filePath(u"vtS.db"_qs), rows({}));
        storage::Dataset roots, branch;
        roots.setDirectory(dir.path());
        roots.setTableName(u"vtree.DB"_qs);
        branch.setDirectory(dir.path());
        browser::CatalogueModel model;
        QString error;
        try {
            browser::BuildTree(roots, branch, model);
        } catch (const core::Error &e) {
            error = e.text();
        }
        QFETCH(QString, tree);
        QCOMPARE(outline(model), tree);
        QCOMPARE(error.isEmpty(), cid == u"01");
        if (!error.isEmpty())
            QVERIFY2(error.startsWith(u"Table does not exist"_qs), qPrintable(error));
    }

    void failuresStopTheBuild_data()
    {
        QTest::addColumn<QString>("branchA");
        QTest::addColumn<bool>("branchBExists");
        QTest::addColumn<QString>("tree");
        QTest::addColumn<QString>("error");
        QTest::newRow("missing branch table: later roots not added")
            << rows({u"A1,A,A1"_qs}) << false << u"A[A1]|B"_qs << u"Table does not exist"_qs;
        QTest::newRow("blank title: the nodes before it stay")
            << header + u"A1,A,A1,,0,0,0,0,,,\nA2,A,,,0,0,0,0,,,\nA3,A,A3,,0,0,0,0,,,\n"_qs << true << u"A[A1]"_qs
            << u"Could not convert variant of type (Null) into type (String)"_qs;
        QTest::newRow("blank parent id sorts first and stops at once")
            << header + u"A1,A,A1,,0,0,0,0,,,\nA2,,A2,,0,0,0,0,,,\n"_qs << true << u"A"_qs
            << u"Could not convert variant of type (Null) into type (String)"_qs;
    }

    void failuresStopTheBuild()
    {
        QFETCH(QString, branchA);
        QFETCH(bool, branchBExists);
        QFETCH(QString, tree);
        QFETCH(QString, error);
        QTemporaryDir dir;
        testdata::writeTable(dir.filePath(u"vtree.DB"_qs),
                             header + u"A,0,A,,0,0,0,0,,,\nB,0,B,,0,0,0,0,,,\nC,0,C,,0,0,0,0,,,\n"_qs);
        testdata::writeTable(dir.filePath(u"vtA.db"_qs), branchA);
        if (branchBExists)
            testdata::writeTable(dir.filePath(u"vtB.db"_qs), rows({}));
        storage::Dataset roots, branch;
        roots.setDirectory(dir.path());
        roots.setTableName(u"vtree.DB"_qs);
        branch.setDirectory(dir.path());
        browser::CatalogueModel model;
        QString text;
        try {
            browser::BuildTree(roots, branch, model);
        } catch (const core::Error &e) {
            text = e.text();
        }
        QVERIFY2(text.startsWith(error), qPrintable(text));
        QVERIFY(outline(model).startsWith(tree));
        if (!branchBExists)
            QCOMPARE(outline(model), tree); // C never added
    }

    void everyNodeCarriesItsRecord()
    {
        testdata::writeTable(m_dir.filePath(u"vtree.DB"_qs), header + u"R,0,根,,0,0,0,0,,,\n"_qs);
        write(u"vtR"_qs, {u"R1,R,第一章"_qs});
        storage::Dataset roots, branch;
        roots.setDirectory(m_dir.path());
        roots.setTableName(u"vtree.DB"_qs);
        branch.setDirectory(m_dir.path());
        browser::CatalogueModel model;
        browser::BuildTree(roots, branch, model);
        const browser::TTreeRec root = model.record(model.nodeOf(model.index(0, 0)));
        QCOMPARE(root.NodeID, u"R"_qs);
        QCOMPARE(root.BranchKey, u"0"_qs);
        const browser::TTreeRec child = model.record(model.nodeOf(model.index(0, 0, model.index(0, 0))));
        QCOMPARE(child.NodeID, u"R1"_qs);
        QCOMPARE(child.Title, u"第一章"_qs);
        QCOMPARE(child.BranchKey, u"R"_qs);
    }
};

QTEST_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
