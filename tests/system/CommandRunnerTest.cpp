// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "system/CommandRunner.h"

#include "FixtureFiles.h"
#include "TavloConfig.h"
#include "system/CommandLineManager.h"
#include "system/HelperProgram.h"
#include "system/ScriptViewModel.h"
#include "system/Utf8ChunkDecoder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <memory>
#include <unistd.h>

namespace {
struct Run
{
    QStringList chunks;
    std::optional<int> status;
    bool onMainThread = true;
    bool outputAfterStatus = false;
};

// Starts a run and waits on the event loop until its status arrives.
std::shared_ptr<Run> run(const QString &program, const std::optional<QStringList> &arguments,
    std::chrono::milliseconds timeout = CommandRunner::defaultTimeout)
{
    auto result = std::make_shared<Run>();
    QThread *mainThread = QThread::currentThread();
    CommandLineManager::runCommand(
        program, arguments,
        [result, mainThread](const QString &chunk) {
            result->chunks.append(chunk);
            result->onMainThread = result->onMainThread && QThread::currentThread() == mainThread;
            result->outputAfterStatus = result->outputAfterStatus || result->status.has_value();
        },
        [result, mainThread](int status) {
            result->status = status;
            result->onMainThread = result->onMainThread && QThread::currentThread() == mainThread;
        },
        nullptr, timeout);
    (void)QTest::qWaitFor([&result] { return result->status.has_value(); }, 20000);
    return result;
}

int openDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size());
}

// Our children, living or zombie, from each process's parent id in /proc.
QStringList childProcesses()
{
    QStringList children;
    const QString self = QString::number(::getpid());
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/") + pid + QStringLiteral("/stat"));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        // "pid (comm) state ppid ...": comm may hold spaces, so count from the last ')'.
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields.at(1) == self.toLatin1())
            children.append(pid + u' ' + QString::fromLatin1(fields.at(0)));
    }
    return children;
}
} // namespace

class CommandRunnerTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QVERIFY(CommandRunner::waitForRuns(std::chrono::seconds(20))); }

    void testRuns_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("output");
        QTest::addColumn<int>("status");
        QTest::newRow("exit status") << "/bin/sh" << QStringList { "-c", "echo out; exit 3" } << "out\n" << 3;
        QTest::newRow("ended by a signal") << "/bin/sh" << QStringList { "-c", "kill -TERM $$" } << "" << 128 + 15;
        QTest::newRow("arguments are not a shell line")
            << "/bin/echo" << QStringList { "$HOME;", "`id`", "a b" } << "$HOME; `id` a b\n"
            << 0;
        QTest::newRow("standard input is empty") << "/bin/cat" << QStringList() << "" << 0;
        // A program that cannot start says nothing and fails with a status of its own.
        const QString script = m_dir.filePath(QStringLiteral("not-executable"));
        QVERIFY(FixtureFiles::write(script, "#!/bin/sh\necho should not run\n"));
        for (const QString &program : { QStringLiteral("/nonexistent/program"), QStringLiteral("/tmp"), script })
            QTest::addRow("cannot start %s", qPrintable(program))
                << program << QStringList { "x" } << "" << CommandRunner::failedToStartStatus;
    }
    void testRuns()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QString, output);
        QFETCH(int, status);
        const auto result = run(program, arguments);
        QCOMPARE(result->status, std::optional<int>(status));
        QCOMPARE(result->chunks.join(QString()), output);
        if (output.isEmpty())
            QVERIFY(result->chunks.isEmpty());
        QVERIFY(result->onMainThread);
        QVERIFY(!result->outputAfterStatus);
    }

    void testEnvironment()
    {
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", "/somewhere/else");
        qputenv("TAVLO_RUNNER_MARK", "kept");
        // No argument list at all: printenv then lists the whole environment.
        const auto result = run(QStringLiteral("/usr/bin/printenv"), std::nullopt);
        qputenv("PATH", oldPath);
        qunsetenv("TAVLO_RUNNER_MARK");
        const QStringList lines = result->chunks.join(QString()).split(u'\n');
        QVERIFY(lines.contains(QStringLiteral("PATH=") + QLatin1String(CommandRunner::fixedPath)));
        QVERIFY(lines.contains(QStringLiteral("TAVLO_RUNNER_MARK=kept")));
        QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^PATH="))).size(), 1);
    }

    // The grandchild prints its id; the time-out must end it too, wherever it went.
    void testTimeoutEndsTheWholeRun_data()
    {
        QTest::addColumn<QString>("script");
        QTest::newRow("child sleeps") << "echo $$; exec sleep 30";
        QTest::newRow("grandchild in the child's group") << "sleep 30 & echo $!; exit 0";
        QTest::newRow("grandchild in a session of its own") << "setsid sleep 30 & echo $!; exit 0";
    }
    void testTimeoutEndsTheWholeRun()
    {
        QFETCH(QString, script);
        QElapsedTimer clock;
        clock.start();
        const auto result
            = run(QStringLiteral("/bin/sh"), QStringList { "-c", script }, std::chrono::milliseconds(500));
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(result->status.has_value());
        const QString pid = result->chunks.join(QString()).trimmed();
        QVERIFY(pid.toInt() > 0);
        // Gone, or a zombie left for init to reap.
        const auto alive = [&pid] {
            const QByteArray stat = FixtureFiles::read(QStringLiteral("/proc/") + pid + QStringLiteral("/stat"));
            return !stat.isEmpty() && !stat.contains(") Z ");
        };
        QTRY_VERIFY_WITH_TIMEOUT(!alive(), 5000);
        QVERIFY(childProcesses().isEmpty());
    }

    // What a run keeps is bounded, however much the program writes.
    void testBoundedOutput_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<qsizetype>("bound");
        QTest::newRow("one endless line") << "head -c 30000000 /dev/zero | tr '\\0' x" << CommandRunner::maxLineLength;
        QTest::newRow("endless lines") << "head -c 30000000 /dev/zero | tr '\\0' '\\n'"
                                       << CommandRunner::maxOutputLength;
    }
    void testBoundedOutput()
    {
        QFETCH(QString, script);
        QFETCH(qsizetype, bound);
        const auto result = run(QStringLiteral("/bin/sh"), QStringList { "-c", script });
        QCOMPARE(result->status, std::optional<int>(0));
        qsizetype total = 0;
        for (const QString &chunk : std::as_const(result->chunks))
            total += chunk.size();
        QVERIFY(total > 0);
        QVERIFY2(total <= bound, qPrintable(QString::number(total)));
    }

    void testNoZombieNoLeakedDescriptor()
    {
        // Warm up the pool's threads and the runner's statics before counting.
        run(QStringLiteral("/bin/true"), std::nullopt);
        QVERIFY(CommandRunner::waitForRuns(std::chrono::seconds(10)));
        const int descriptorsBefore = openDescriptors();
        int finished = 0;
        auto count = [&finished](int) { ++finished; };
        for (int i = 0; i < 3; ++i) {
            CommandRunner::runCommand(QStringLiteral("/bin/echo"), QStringList { "x" }, nullptr, count);
            CommandRunner::runCommand(QStringLiteral("/nonexistent"), std::nullopt, nullptr, count);
            CommandRunner::runCommand(QStringLiteral("/bin/sh"), QStringList { "-c", "exit 1" }, nullptr, count);
        }
        CommandRunner::runCommand(QStringLiteral("/bin/sleep"), QStringList { "30" }, nullptr, count, nullptr,
            std::chrono::milliseconds(200));
        QTRY_COMPARE_WITH_TIMEOUT(finished, 10, 20000);
        QVERIFY(CommandRunner::waitForRuns(std::chrono::seconds(10)));
        QCOMPARE(childProcesses(), QStringList());
        QVERIFY(openDescriptors() <= descriptorsBefore);
    }

    void testContextGoneBeforeDelivery()
    {
        auto *context = new QObject;
        bool called = false;
        CommandRunner::runCommand(
            QStringLiteral("/bin/sh"), QStringList { "-c", "sleep 0.2; echo late" },
            [&called](const QString &) { called = true; }, [&called](int) { called = true; }, context);
        delete context;
        QVERIFY(CommandRunner::waitForRuns(std::chrono::seconds(10)));
        QCoreApplication::processEvents();
        QVERIFY(!called);
    }

    // The hardware report: its program, the model reading it, and the decoding between.
    void testChunks_data()
    {
        QTest::addColumn<QStringList>("chunks");
        QTest::addColumn<QStringList>("expected"); // resolution, deviceID, coreNum, coreTotal, SerialNumber
        const QString unknown = QStringLiteral("unkown");
        QTest::newRow("label without value") << QStringList { "Hardware:\n      Hardware UUID:\n" }
                                             << QStringList { unknown, unknown, unknown, unknown, unknown };
        QTest::newRow("colon inside a value") << QStringList { "Hardware:\n  Serial Number (system): AB:CD:EF\n" }
                                              << QStringList { unknown, unknown, unknown, unknown, "AB:CD:EF" };
        QTest::newRow("line cut between chunks") << QStringList { "Hardware:\n  Total Number of Cores: 4\n  Serial Num",
            "ber (system): PF2X", "K7QM\n  Hardware UUID: 4C4C" }
                                                 << QStringList { unknown, "4C4C", unknown, "4", "PF2XK7QM" };
        // Names that mention a label are values of other lines, never the labelled value.
        QTest::newRow("label inside a value") << QStringList {
            "Graphics/Displays:\n  Resolution: 800 x 600\nHardware:\n"
            "  Processor Name: Intel Resolution 640 x 480 CPU\n  Model Name: Total Number of Cores: 9\n"
        } << QStringList { "800 x 600", unknown, unknown, unknown, unknown };
        QTest::newRow("label in another section") << QStringList { "Hardware:\n  Resolution: 1 x 1\n" }
                                                  << QStringList { unknown, unknown, unknown, unknown, unknown };
    }
    void testChunks()
    {
        QFETCH(QStringList, chunks);
        ScriptViewModel model(QString(), {});
        for (const QString &chunk : std::as_const(chunks))
            model.readChunk(chunk);
        model.reportFinished();
        QTEST((QStringList { model.resolution(), model.deviceID(), model.coreNum(), model.coreTotal(),
                  model.serialNumber() }),
            "expected");
    }

    // Wherever a report is cut into pieces, the decoded text is the same as whole.
    void testDecodingIgnoresSplits_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("mark at the start is dropped") << QByteArray("\xef\xbb\xbf"
                                                                    "a")
                                                      << "a";
        QTest::newRow("mark inside is kept") << QByteArray("a\xef\xbb\xbf") << "a\ufeff";
        QTest::newRow("invalid byte") << QByteArray("a\xff"
                                                    "b\n")
                                      << "a\ufffdb\n";
    }
    void testDecodingIgnoresSplits()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
            Utf8ChunkDecoder decoder;
            QString decoded = decoder.decode(bytes.left(cut));
            decoded += decoder.decode(bytes.mid(cut));
            QCOMPARE(decoded + decoder.finish(), text);
        }
    }

    // The resource panel reads the hardware report by position: the model name on the third
    // non-empty line, the processor name on the fifth, the speed on the sixth, at least seven
    // lines. "unkown" only where the machine truly has nothing to say.
    void testReportProgram_data()
    {
        QTest::addColumn<QString>("root");
        // What the machines' overviews hold or lack is the hardware report test's.
        QTest::newRow("this machine") << QString();
        QTest::newRow("virtual machine without firmware tables") << QStringLiteral(TAVLO_TEST_DATA "/system/vm-nodmi");
    }
    void testReportProgram()
    {
        QFETCH(QString, root);
        QStringList arguments { QStringLiteral("SPHardwareDataType"), QStringLiteral("SPDisplaysDataType") };
        if (!root.isEmpty())
            arguments = QStringList { QStringLiteral("--root"), root } + arguments;
        const auto result = run(ScriptViewModel::reportProgram(), arguments);
        QCOMPARE(result->status, std::optional<int>(0));
        const QStringList lines = result->chunks.join(QString()).split(u'\n', Qt::SkipEmptyParts);
        QVERIFY(lines.size() >= 7);
        QCOMPARE(lines.at(0).trimmed(), QStringLiteral("Hardware:"));
        QCOMPARE(lines.at(1).trimmed(), QStringLiteral("Hardware Overview:"));
        QVERIFY(lines.at(2).trimmed().startsWith(QLatin1String("Model Name: ")));
        QVERIFY(lines.at(4).trimmed().startsWith(QLatin1String("Processor Name: ")));
        QVERIFY(lines.at(5).trimmed().startsWith(QLatin1String("Processor Speed: ")));
    }

    // An installed tavlo finds its helpers in ../libexec/tavlo beside itself, wherever the prefix is.
    void testInstalledHelper()
    {
        QTemporaryDir prefix;
        const QString bin = prefix.filePath(QStringLiteral("bin"));
        const QString helpers = QDir::cleanPath(bin + u'/' + QStringLiteral(TAVLO_LIBEXEC_FROM_BINDIR));
        QVERIFY(QDir().mkpath(bin) && QDir().mkpath(helpers));
        QFile helper(helpers + QStringLiteral("/system_profiler"));
        QVERIFY(helper.open(QIODevice::WriteOnly));
        helper.close();
        const QString configured = QStringLiteral(TAVLO_LIBEXEC_INSTALL_DIR "/system_profiler");
        // A file that cannot run is not taken for the helper.
        QCOMPARE(installedHelperProgramPath(QStringLiteral("system_profiler"), bin), configured);
        QVERIFY(helper.setPermissions(helper.permissions() | QFileDevice::ExeOwner));
        QCOMPARE(installedHelperProgramPath(QStringLiteral("system_profiler"), bin), helper.fileName());
        QCOMPARE(installedHelperProgramPath(QStringLiteral("system_profiler"), QString()), configured);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(CommandRunnerTest)
#include "CommandRunnerTest.moc"
