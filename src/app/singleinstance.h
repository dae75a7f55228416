#pragma once
#include <QLockFile>
#include <QObject>

#include <memory>

class QLocalServer;

// One handbook per set of user files. The first start takes a lock and, once its window is up,
// answers on a local socket; a later start asks it to come to the front and ends, instead of
// opening the same tables a second time.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // key: what the instances would share (the directory of the user's files); runtimeDir: where
    // the lock file and the socket lie (the user's runtime directory).
    SingleInstance(const QString &key, const QString &runtimeDir, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when no other process holds the lock; this one then holds it until it ends. A lock
    // left by a process that no longer runs is taken over.
    bool tryLock();
    // Asks the instance holding the lock to come to the front, trying until it answers (it may
    // still be starting) or timeoutMs have passed; true when it answered.
    bool activateRunning(int timeoutMs);
    // Starts answering later starts. Call after tryLock succeeded.
    bool listen();
    QString serverName() const { return m_serverName; }

signals:
    // A later start asked this one to come to the front.
    void activationRequested();

private:
    void answer();
    QString m_serverName;
    QLockFile m_lock;
    std::unique_ptr<QLocalServer> m_server;
};
