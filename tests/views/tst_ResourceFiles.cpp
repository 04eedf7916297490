// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

// The installed desktop entry and AppStream metadata pass the freedesktop validators.
class TestResourceFiles : public QObject
{
    Q_OBJECT

private slots:
    void testValidates_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("desktop entry") << "desktop-file-validate"
                                       << QStringList { TAVLO_SOURCE_DIR "/resources/org.tavlo.Tavlo.desktop" };
        QTest::newRow("AppStream metadata")
            << "appstreamcli"
            << QStringList { "validate", "--no-net", TAVLO_SOURCE_DIR "/resources/org.tavlo.Tavlo.metainfo.xml" };
    }

    void testValidates()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        if (QStandardPaths::findExecutable(program).isEmpty()) {
            QSKIP("validator not installed");
        }
        QProcess validator;
        validator.start(program, arguments);
        QVERIFY(validator.waitForFinished(30000));
        const QByteArray output = validator.readAllStandardOutput() + validator.readAllStandardError();
        QVERIFY2(validator.exitStatus() == QProcess::NormalExit && validator.exitCode() == 0, output.constData());
    }
};

QTEST_GUILESS_MAIN(TestResourceFiles)
#include "tst_ResourceFiles.moc"
