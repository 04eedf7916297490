// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SingleInstance.h"

#include <QFile>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void testSecondLaunchHandsOver()
    {
        QTemporaryDir dir;
        SingleInstance first(dir.path());
        QVERIFY(first.claim());
        QVERIFY(first.isPrimary());
        QSignalSpy activations(&first, &SingleInstance::activationRequested);

        SingleInstance second(dir.path());
        QVERIFY(!second.claim(2000));
        QVERIFY(!second.isPrimary());
        QTRY_COMPARE(activations.count(), 1);

        SingleInstance third(dir.path());
        QVERIFY(!third.claim(2000));
        QTRY_COMPARE(activations.count(), 2);
    }

    void testFreedAfterFirstExits()
    {
        QTemporaryDir dir;
        QVERIFY(SingleInstance(dir.path()).claim());
        QVERIFY(SingleInstance(dir.path()).claim());
    }

    void testStaleLockOfDeadProcessIsTaken()
    {
        QTemporaryDir dir;
        // A lock and a socket file left by a process that was killed: its pid no longer runs.
        QProcess shortLived;
        shortLived.start(QStringLiteral("/bin/true"), {});
        QVERIFY(shortLived.waitForStarted());
        const qint64 deadPid = shortLived.processId();
        QVERIFY(shortLived.waitForFinished());
        const QString lockPath = dir.path() + QStringLiteral("/org.tavlo.Tavlo.lock");
        QByteArray content;
        {
            // Our own lock's content, with the pid of the process that has gone.
            QLockFile real(lockPath);
            QVERIFY(real.tryLock(0));
            QFile file(lockPath);
            QVERIFY(file.open(QIODevice::ReadOnly));
            content = file.readAll();
            real.unlock();
        }
        content = QByteArray::number(deadPid) + content.mid(content.indexOf('\n'));
        QFile lock(lockPath);
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(content);
        lock.close();
        QFile socket(dir.path() + QStringLiteral("/org.tavlo.Tavlo.socket"));
        QVERIFY(socket.open(QIODevice::WriteOnly));
        socket.close();

        SingleInstance instance(dir.path());
        QVERIFY(instance.claim());
        QSignalSpy activations(&instance, &SingleInstance::activationRequested);
        SingleInstance later(dir.path());
        QVERIFY(!later.claim());
        QTRY_COMPARE(activations.count(), 1);
    }

    void testUnknownRequestIsIgnored()
    {
        QTemporaryDir dir;
        SingleInstance first(dir.path());
        QVERIFY(first.claim());
        QSignalSpy activations(&first, &SingleInstance::activationRequested);
        QLocalSocket stranger;
        stranger.connectToServer(dir.path() + QStringLiteral("/org.tavlo.Tavlo.socket"));
        QVERIFY(stranger.waitForConnected(2000));
        stranger.write(QByteArray(200, 'x') + "\n");
        QVERIFY(stranger.waitForBytesWritten(2000));
        QTest::qWait(100);
        QCOMPARE(activations.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_SingleInstance.moc"
