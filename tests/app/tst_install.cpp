// cmake --install into a scratch prefix, then the installed programs as a user runs them: the
// layout, the desktop files, the version, the calculators, and the handbook started offscreen on
// the installed data with the user's files in a scratch home.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestInstall : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_prefix;
    QTemporaryDir m_home;

    QString installed(const QString &rel) const { return m_prefix.filePath(rel); }
    QString dataDir() const { return installed(QStringLiteral("share/orvane-handbook")); }

    // The environment of a user whose home is the scratch one.
    QProcessEnvironment userEnvironment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), m_home.path());
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.filePath(QStringLiteral("run")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return env;
    }

    // Runs a program to its end; returns its standard output.
    QByteArray run(const QString &program, const QStringList &args, int *exitCode = nullptr)
    {
        QProcess p;
        p.setProcessEnvironment(userEnvironment());
        p.start(program, args);
        if (!p.waitForFinished(120000)) {
            p.kill();
            p.waitForFinished();
        }
        if (exitCode)
            *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        return p.readAllStandardOutput() + p.readAllStandardError();
    }

    // Every file of the installed data directory with its bytes.
    QHash<QString, QByteArray> dataFiles() const
    {
        QHash<QString, QByteArray> files;
        QDirIterator it(dataDir(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            QFile f(file);
            if (f.open(QIODevice::ReadOnly))
                files.insert(QDir(dataDir()).relativeFilePath(file), f.readAll());
        }
        return files;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_prefix.isValid() && m_home.isValid());
        QDir().mkpath(m_home.filePath(QStringLiteral("run")));
        QFile::setPermissions(m_home.filePath(QStringLiteral("run")), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        int rc = 0;
        const QByteArray out = run(QStringLiteral(CMAKE_COMMAND),
                                   {QStringLiteral("--install"), QStringLiteral(HANDBOOK_BUILD_DIR), QStringLiteral("--prefix"), m_prefix.path()}, &rc);
        QVERIFY2(rc == 0, out.constData());
    }

    void layoutUnderThePrefix_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("the handbook") << "bin/handbook";
        QTest::newRow("the calculators") << "bin/handbook-calc";
        QTest::newRow("catalogue") << "share/orvane-handbook/database/vtree.DB";
        QTest::newRow("bookmarks as shipped") << "share/orvane-handbook/database/ibook.db";
        QTest::newRow("a data page") << "share/orvane-handbook/dat/youxianshu.db";
        QTest::newRow("limits and fits") << "share/orvane-handbook/Tolerance/DATAS/varnok.mdb";
        QTest::newRow("the guide") << "share/orvane-handbook/txt/guide.htm";
        QTest::newRow("desktop file") << "share/applications/org.orvane.Handbook.desktop";
        QTest::newRow("icon") << "share/icons/hicolor/scalable/apps/org.orvane.Handbook.svg";
        QTest::newRow("metainfo") << "share/metainfo/org.orvane.Handbook.metainfo.xml";
    }

    void layoutUnderThePrefix()
    {
        QFETCH(QString, file);
        QVERIFY2(QFileInfo(installed(file)).isFile(), qPrintable(installed(file)));
    }

    void nothingOfTheBuildersRunIsShipped()
    {
        const QHash<QString, QByteArray> files = dataFiles();
        for (auto it = files.cbegin(); it != files.cend(); ++it)
            QVERIFY2(!it.key().endsWith(QLatin1String("-wal")) && !it.key().endsWith(QLatin1String("-shm")), qPrintable(it.key()));
        QVERIFY(!QFile::exists(installed(QStringLiteral("bin/mkcontent"))));
        QVERIFY(!QFile::exists(installed(QStringLiteral("bin/database"))));
    }

    void desktopFilesValidate_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("args");
        QTest::newRow("desktop file") << "desktop-file-validate" << QStringList{installed(u"share/applications/org.orvane.Handbook.desktop"_qs)};
        QTest::newRow("metainfo") << "appstreamcli"
                                  << QStringList{u"validate"_qs, u"--no-net"_qs, installed(u"share/metainfo/org.orvane.Handbook.metainfo.xml"_qs)};
    }

    void desktopFilesValidate()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, args);
        const QString program = QStandardPaths::findExecutable(tool);
        QVERIFY2(!program.isEmpty(), qPrintable(tool + u" is missing: scripts/setup installs it"_qs));
        int rc = 0;
        const QByteArray out = run(program, args, &rc);
        QVERIFY2(rc == 0, out.constData());
    }

    void installedProgramsAnswerOnTheTerminal()
    {
        int rc = 0;
        QCOMPARE(run(installed(u"bin/handbook"_qs), {u"--version"_qs}, &rc).trimmed(), QByteArray("OrvaneV3.0 " HANDBOOK_VERSION));
        QCOMPARE(rc, 0);
        // handbook-calc finds the installed data on its own.
        const QByteArray fit = run(installed(u"bin/handbook-calc"_qs), {u"fits"_qs, u"20"_qs, u"H7"_qs, u"f6"_qs}, &rc);
        QVERIFY2(rc == 0 && fit.contains("\"ES\":\"+0.021\"") && fit.contains("\"ei\":\"-0.033\""), fit.constData());
    }

    void installedHandbookStartsOnTheUsersOwnFiles()
    {
        const QHash<QString, QByteArray> shipped = dataFiles();
        QProcess first;
        first.setProcessEnvironment(userEnvironment());
        first.setProcessChannelMode(QProcess::MergedChannels);
        first.start(installed(u"bin/handbook"_qs), {});
        QVERIFY(first.waitForStarted());
        // It holds the lock on the user's files once its lock file is there.
        const QDir runtime(m_home.filePath(u"run"_qs));
        QTRY_VERIFY_WITH_TIMEOUT(!runtime.entryList({u"orvane-handbook-*.lock"_qs}, QDir::Files).isEmpty(), 30000);

        // A second start finds the first once its window is up (start-up done, no box waiting),
        // asks it to the front and ends at once.
        int rc = -1;
        const QByteArray second = run(installed(u"bin/handbook"_qs), {}, &rc);
        QVERIFY2(rc == 0, second.constData());
        QCOMPARE(first.state(), QProcess::Running);

        // The user's files were seeded in the per-user location; the installed data is untouched.
        const QString user = m_home.filePath(u"data/Orvane/OrvaneV3.0/"_qs);
        for (const char *file : {"database/History.DB", "database/ibook.db", "database/cx_jl.db", "cx_jg.rst"})
            QVERIFY2(QFile::exists(user + QLatin1String(file)), file);
        QCOMPARE(dataFiles(), shipped);

        first.terminate();
        if (!first.waitForFinished(10000))
            first.kill();
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
