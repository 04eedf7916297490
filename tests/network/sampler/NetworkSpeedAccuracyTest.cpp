// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Real traffic between two network namespaces joined by a veth pair: every rate the
// sampler publishes must match the interface's own byte counters over the same interval.
#include "FixtureFiles.h"
#include "RecordingSink.h"
#include "network/NetworkSpeedManager.h"
#include "network/SpeedFormat.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <unistd.h>
#include <vector>

namespace {

const QString prefix = QStringLiteral("tavlo-acc-");
const QString receiverAddress = QStringLiteral("10.231.47.1");
const QString senderAddress = QStringLiteral("10.231.47.2");
constexpr int port = 47231;
constexpr int bytesPerSecond = 6 * 1000 * 1000;
constexpr int trafficSeconds = 14;
constexpr int ticksWanted = 9;

const char *receiverScript = R"(
import socket, sys
server = socket.socket()
server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
server.bind((sys.argv[1], int(sys.argv[2])))
server.listen(1)
connection, _ = server.accept()
while connection.recv(1 << 20):
    pass
)";

// Paced by the monotonic clock in 10 ms slices, so the rate stays steady.
const char *senderScript = R"(
import socket, sys, time
host, port, rate, duration = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), float(sys.argv[4])
deadline = time.monotonic() + 10
while True:
    try:
        s = socket.create_connection((host, port), timeout=1)
        break
    except OSError:
        if time.monotonic() > deadline:
            sys.exit(1)
        time.sleep(0.05)
chunk = b'x' * (rate // 100)
start = time.monotonic()
sent = 0
while time.monotonic() - start < duration:
    s.sendall(chunk)
    sent += len(chunk)
    ahead = sent / rate - (time.monotonic() - start)
    if ahead > 0:
        time.sleep(ahead)
)";

QString ipTool()
{
    return QStandardPaths::findExecutable(QStringLiteral("ip"), { "/usr/sbin", "/sbin", "/usr/bin", "/bin" });
}

bool run(const QStringList &arguments)
{
    QProcess process;
    process.start(ipTool(), arguments);
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// Cumulative bytes in and out of one interface in this thread's namespace.
std::pair<qint64, qint64> counters(const QString &interface)
{
    QFile file(QStringLiteral("/proc/thread-self/net/dev"));
    if (!file.open(QIODevice::ReadOnly))
        return { -1, -1 };
    for (const QByteArray &line : file.readAll().split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon < 0 || line.left(colon).trimmed() != interface.toLatin1())
            continue;
        const QList<QByteArray> fields = line.mid(colon + 1).simplified().split(' ');
        if (fields.size() >= 9)
            return { fields.at(0).toLongLong(), fields.at(8).toLongLong() };
    }
    return { -1, -1 };
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Two namespaces and their veth pair; removed again whatever way the test ends.
struct Namespaces
{
    QString receiver = prefix + QString::number(::getpid()) + QStringLiteral("-rx");
    QString sender = prefix + QString::number(::getpid()) + QStringLiteral("-tx");
    QString receiverLink = QStringLiteral("tvacc%1r").arg(::getpid());
    QString senderLink = QStringLiteral("tvacc%1t").arg(::getpid());
    std::vector<QProcess *> processes;

    bool create()
    {
        return run({ "netns", "add", receiver }) && run({ "netns", "add", sender })
            && run({ "link", "add", receiverLink, "netns", receiver, "type", "veth", "peer", "name", senderLink,
                "netns", sender })
            && run({ "-n", receiver, "addr", "add", receiverAddress + "/24", "dev", receiverLink })
            && run({ "-n", sender, "addr", "add", senderAddress + "/24", "dev", senderLink })
            && run({ "-n", receiver, "link", "set", "lo", "up" }) && run({ "-n", sender, "link", "set", "lo", "up" })
            && run({ "-n", receiver, "link", "set", receiverLink, "up" })
            && run({ "-n", sender, "link", "set", senderLink, "up" });
    }

    QProcess *start(const QString &space, const char *script, const QStringList &arguments)
    {
        auto *process = new QProcess;
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(ipTool(),
            QStringList { "netns", "exec", space, "/usr/bin/python3", "-c", QString::fromLatin1(script) } + arguments);
        processes.push_back(process);
        return process;
    }

    ~Namespaces()
    {
        for (QProcess *process : processes) {
            process->kill();
            process->waitForFinished(5000);
            delete process;
        }
        run({ "netns", "del", receiver });
        run({ "netns", "del", sender });
    }
};

// Runs the calling thread, and the threads it starts, in another network namespace.
class NamespaceEntry
{
public:
    explicit NamespaceEntry(const QString &name)
        : m_home(::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC))
    {
        const int target = ::open(QFile::encodeName("/run/netns/" + name).constData(), O_RDONLY | O_CLOEXEC);
        m_entered = m_home >= 0 && target >= 0 && ::setns(target, CLONE_NEWNET) == 0;
        if (target >= 0)
            ::close(target);
    }
    ~NamespaceEntry()
    {
        if (m_entered)
            ::setns(m_home, CLONE_NEWNET);
        if (m_home >= 0)
            ::close(m_home);
    }
    bool entered() const { return m_entered; }

private:
    int m_home;
    bool m_entered = false;
};

} // namespace

class NetworkSpeedAccuracyTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void testRatesMatchCounters();
};

void NetworkSpeedAccuracyTest::initTestCase()
{
    if (::geteuid() != 0)
        QSKIP("needs root for network namespaces");
    if (ipTool().isEmpty() || !QFile::exists(QStringLiteral("/usr/bin/python3")))
        QSKIP("needs ip and /usr/bin/python3");
    // Namespaces left behind by an earlier run that was killed.
    for (const QString &name : QDir(QStringLiteral("/run/netns")).entryList({ prefix + "*" }, QDir::Files)) {
        const QString pid = name.mid(prefix.size()).section(QLatin1Char('-'), 0, 0);
        if (::kill(pid.toInt(), 0) != 0)
            run({ "netns", "del", name });
    }
}

void NetworkSpeedAccuracyTest::testRatesMatchCounters()
{
    Namespaces spaces;
    QVERIFY(spaces.create());
    spaces.start(spaces.receiver, receiverScript, { receiverAddress, QString::number(port) });
    QProcess *sender = spaces.start(spaces.sender, senderScript,
        { receiverAddress, QString::number(port), QString::number(bytesPerSecond), QString::number(trafficSeconds) });
    QVERIFY(sender->waitForStarted(5000));

    // The veth is virtual; a sysfs of the test's own makes it a wired card, as the
    // machine's Ethernet port would be.
    QTemporaryDir sys;
    QVERIFY(sys.isValid());
    const QString link = sys.filePath("class/net/" + spaces.receiverLink);
    QVERIFY(QDir().mkpath(link + "/device"));
    QVERIFY(FixtureFiles::write(link + "/type", "1\n"));
    QVERIFY(FixtureFiles::write(link + "/uevent", "INTERFACE=" + spaces.receiverLink.toLatin1() + "\nIFINDEX=2\n"));
    QVERIFY(FixtureFiles::write(sys.filePath("class/net/lo/type"), "772\n"));

    struct Tick
    {
        qint64 sampledUpload;
        qint64 sampledDownload;
        qint64 countedUpload;
        qint64 countedDownload;
        qint64 nanoseconds;
    };
    std::vector<Tick> ticks;
    QMutex ticksMutex;
    RecordingSink sink;
    {
        const NamespaceEntry entry(spaces.receiver);
        QVERIFY(entry.entered());
        // Let the traffic settle into its pace before measuring.
        QTRY_VERIFY_WITH_TIMEOUT(counters(spaces.receiverLink).first > bytesPerSecond, 10000);

        NetworkSpeedManager manager(&sink, nullptr, NettopRoots { QStringLiteral("/proc"), sys.path() });
        std::pair<qint64, qint64> previous { -1, -1 };
        QElapsedTimer clock;
        // Read on the tick's own thread right after the sampler read the same counters.
        connect(
            &manager, &NetworkSpeedManager::speedMeasured, this,
            [&](qint64 upload, qint64 download) {
                const auto now = counters(spaces.receiverLink);
                const QMutexLocker locker(&ticksMutex);
                if (previous.first >= 0)
                    ticks.push_back({ upload, download, now.second - previous.second, now.first - previous.first,
                        clock.nsecsElapsed() });
                previous = now;
                clock.start();
            },
            Qt::DirectConnection);
        manager.startSampling();
        QTRY_VERIFY_WITH_TIMEOUT(sink.count() >= ticksWanted, (ticksWanted + 5) * 1000);
        manager.stopSampling();
        QVERIFY(sender->state() == QProcess::Running);
    }

    const QMutexLocker locker(&ticksMutex);
    QVERIFY(ticks.size() >= ticksWanted - 1);
    std::vector<double> errors;
    const auto titles = sink.titles();
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        const Tick &tick = ticks[i];
        QVERIFY2(tick.countedDownload > bytesPerSecond / 2, qPrintable(QString::number(tick.countedDownload)));
        const double error = std::abs(double(tick.sampledDownload - tick.countedDownload)) / tick.countedDownload;
        errors.push_back(error);
        // The title is the text of exactly these differences.
        const auto &title = titles.at(static_cast<qsizetype>(i) + 1);
        QCOMPARE(title.download, formatSpeed(0, tick.sampledDownload));
        QCOMPARE(title.upload, formatSpeed(0, tick.sampledUpload));
        qInfo("tick %zu: sampled %lld B in, %lld B out; counters %lld B in, %lld B out over %.3f s; error %.4f%%", i,
            tick.sampledDownload, tick.sampledUpload, tick.countedDownload, tick.countedUpload, tick.nanoseconds / 1e9,
            error * 100);
    }
    const double worst = *std::max_element(errors.begin(), errors.end());
    qInfo("download error against the counters: median %.4f%%, max %.4f%% over %zu ticks", median(errors) * 100,
        worst * 100, errors.size());
    QVERIFY(median(errors) <= 0.02);
    QVERIFY(worst <= 0.05);
}

QTEST_GUILESS_MAIN(NetworkSpeedAccuracyTest)
#include "NetworkSpeedAccuracyTest.moc"
