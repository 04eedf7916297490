// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FixtureFiles.h"
#include "platform/SingleInstance.h"

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
    // A second launch hands over to the first and ends; a request that is not a launch's is
    // ignored; once the first has gone the next launch is the first again.
    void testSecondLaunchHandsOver()
    {
        QTemporaryDir dir;
        {
            SingleInstance first(dir.path());
            QVERIFY(first.claim());
            QSignalSpy activations(&first, &SingleInstance::activationRequested);
            QLocalSocket stranger;
            stranger.connectToServer(dir.path() + QStringLiteral("/org.tavlo.Tavlo.socket"));
            QVERIFY(stranger.waitForConnected(2000));
            stranger.write(QByteArray(200, 'x') + "\n");
            QVERIFY(stranger.waitForBytesWritten(2000));
            SingleInstance second(dir.path());
            QVERIFY(!second.claim(2000));
            QVERIFY(!second.isPrimary());
            QTRY_COMPARE(activations.count(), 1);
        }
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
            content = FixtureFiles::read(lockPath);
            real.unlock();
        }
        QVERIFY(FixtureFiles::write(lockPath, QByteArray::number(deadPid) + content.mid(content.indexOf('\n'))));
        QVERIFY(FixtureFiles::write(dir.path() + QStringLiteral("/org.tavlo.Tavlo.socket"), {}));
        SingleInstance instance(dir.path());
        QVERIFY(instance.claim());
        // It listens in the stale socket's place.
        QSignalSpy activations(&instance, &SingleInstance::activationRequested);
        QVERIFY(!SingleInstance(dir.path()).claim());
        QTRY_COMPARE(activations.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_SingleInstance.moc"
