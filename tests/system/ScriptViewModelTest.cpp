// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "system/ScriptViewModel.h"

#include "TavloConfig.h"
#include "system/CommandRunner.h"
#include "system/HelperProgram.h"
#include "system/Utf8ChunkDecoder.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {
QString fixtureRoot(const QString &machine)
{
    return QStringLiteral(TAVLO_TEST_DATA "/system/") + machine;
}

QStringList fields(const ScriptViewModel &model)
{
    return { model.resolution(), model.deviceID(), model.coreNum(), model.coreTotal(), model.serialNumber() };
}

// Runs the report program and returns everything it printed.
QString reportText(const QStringList &arguments)
{
    QString text;
    std::optional<int> status;
    CommandRunner::runCommand(
        ScriptViewModel::reportProgram(), arguments, [&text](const QString &chunk) { text += chunk; },
        [&status](int code) { status = code; });
    (void)QTest::qWaitFor([&status] { return status.has_value(); }, 20000);
    return status == 0 ? text : QString();
}
} // namespace

class ScriptViewModelTest : public QObject
{
    Q_OBJECT

private slots:
    void testChunks_data()
    {
        QTest::addColumn<QStringList>("chunks");
        QTest::addColumn<QStringList>("expected"); // resolution, deviceID, coreNum, coreTotal, SerialNumber
        const QString unknown = QStringLiteral("unkown");
        QTest::newRow("label without value") << QStringList { "Hardware:\n      Hardware UUID:\n" }
                                             << QStringList { unknown, unknown, unknown, unknown, unknown };
        QTest::newRow("several displays, last wins")
            << QStringList { "Graphics/Displays:\n  Resolution: 2560 x 1600 Retina\n\tResolution: 1920 x 1080\n" }
            << QStringList { "1920 x 1080", unknown, unknown, unknown, unknown };
        QTest::newRow("colon inside a value") << QStringList { "Hardware:\n  Serial Number (system): AB:CD:EF\n" }
                                              << QStringList { unknown, unknown, unknown, unknown, "AB:CD:EF" };
        QTest::newRow("line cut between chunks") << QStringList { "Hardware:\n  Total Number of Cores: 4\n  Serial Num",
            "ber (system): PF2X", "K7QM\n  Hardware UUID: 4C4C" }
                                                 << QStringList { unknown, "4C4C", unknown, "4", "PF2XK7QM" };
        QTest::newRow("carriage returns and tabs")
            << QStringList { "Hardware:\n\tNumber of Processors:\t 2 \t\r\n\tTotal Number of Cores: 16\r\n" }
            << QStringList { unknown, unknown, "2", "16", unknown };
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
        QTEST(fields(model), "expected");
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
        QTest::newRow("surrogate half") << QByteArray("\xed\xa0\x80x") << "\ufffd\ufffd\ufffdx";
        QTest::newRow("four bytes, then cut short") << QByteArray("\xf0\x9f\x98\x80\xe2\x82") << "\U0001F600\ufffd";
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

    void testProgramThatCannotRun()
    {
        ScriptViewModel model(QStringLiteral("/nonexistent/system_profiler"), ScriptViewModel::reportArguments());
        QTRY_VERIFY(!model.isRunning());
        QCOMPARE(fields(model), QStringList(5, QStringLiteral("unkown")));
    }

    // The resource panel reads the hardware report by position: the model name on the third
    // non-empty line, the processor name on the fifth, the speed on the sixth, at least seven
    // lines. "unkown" only where the machine truly has nothing to say.
    void testReportProgram_data()
    {
        QTest::addColumn<QString>("root");
        QTest::addColumn<QStringList>("unknownLabels");
        QTest::newRow("this machine") << QString() << QStringList();
        QTest::newRow("laptop") << fixtureRoot(QStringLiteral("laptop")) << QStringList();
        QTest::newRow("desktop, serial left as filler")
            << fixtureRoot(QStringLiteral("desktop-hybrid")) << QStringList { "Serial Number (system)" };
        QTest::newRow("virtual machine without firmware tables")
            << fixtureRoot(QStringLiteral("vm-nodmi"))
            << QStringList { "Model Identifier", "System Firmware Version", "Serial Number (system)" };
        QTest::newRow("arm board without firmware version")
            << fixtureRoot(QStringLiteral("arm-board")) << QStringList { "System Firmware Version" };
    }
    void testReportProgram()
    {
        QFETCH(QString, root);
        QStringList arguments { QStringLiteral("SPHardwareDataType"), QStringLiteral("SPDisplaysDataType") };
        if (!root.isEmpty())
            arguments = QStringList { QStringLiteral("--root"), root } + arguments;
        const QStringList lines = reportText(arguments).split(u'\n', Qt::SkipEmptyParts);
        QVERIFY(lines.size() >= 7);
        QCOMPARE(lines.at(0).trimmed(), QStringLiteral("Hardware:"));
        QCOMPARE(lines.at(1).trimmed(), QStringLiteral("Hardware Overview:"));
        QVERIFY(lines.at(2).trimmed().startsWith(QLatin1String("Model Name: ")));
        QVERIFY(lines.at(4).trimmed().startsWith(QLatin1String("Processor Name: ")));
        QVERIFY(lines.at(5).trimmed().startsWith(QLatin1String("Processor Speed: ")));
        if (root.isEmpty())
            return;
        QStringList unknown;
        for (const QString &line : lines) {
            if (line.endsWith(QLatin1String(": unkown")))
                unknown.append(line.trimmed().chopped(QStringLiteral(": unkown").size()));
        }
        QTEST(unknown, "unknownLabels");
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
};

QTEST_GUILESS_MAIN(ScriptViewModelTest)
#include "ScriptViewModelTest.moc"
