// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The hardware card over a report that the test holds back and feeds: loading boxes, values,
// masks, and the delayed copy to the clipboard by mouse and keyboard.
#include "preferences/PreferenceManager.h"
#include "system/MachineIdentity.h"
#include "system/ScriptViewModel.h"
#include "views/CopyField.h"
#include "views/LoadingRow.h"
#include "views/ToggleView.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString report = QStringLiteral("Graphics/Displays:\n      Resolution: 1920 x 1080\n"
                                      "Hardware:\n      Number of Processors: 1\n      Total Number of Cores: 8\n"
                                      "      Serial Number (system): PF3XK2QD\n"
                                      "      Hardware UUID: 4C4C4544-0051-3510-8039-B4C04F4B4D32\n");

QString accessibleName(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}
} // namespace

class TestToggleView : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_config;
    PreferenceManager *m_preferences = nullptr;
    MachineIdentity *m_identity = nullptr;
    ToggleView *m_card = nullptr;
    ScriptViewModel *m_model = nullptr;

    // What the card shows: every visible label and field, in no particular order.
    QStringList shownTexts() const
    {
        QStringList texts;
        for (const QLabel *label : m_card->findChildren<QLabel *>())
            if (label->isVisibleTo(m_card))
                texts << label->text();
        for (const CopyField *field : m_card->findChildren<CopyField *>())
            if (field->isVisibleTo(m_card))
                texts << field->shownText();
        return texts;
    }

    int loadingBoxes() const
    {
        int shown = 0;
        for (const LoadingRow *row : m_card->findChildren<LoadingRow *>())
            shown += row->isVisibleTo(m_card) ? 1 : 0;
        return shown;
    }

private slots:
    void initTestCase()
    {
        m_preferences = new PreferenceManager(m_config.path(), QLocale(QLocale::English), this);
        m_identity = new MachineIdentity({ .useHostnamed = false }, this);
    }

    void init()
    {
        m_model = new ScriptViewModel(QString(), {}, this);
        m_card = new ToggleView(m_preferences, m_model, m_identity);
        m_card->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_card));
    }

    void cleanup()
    {
        delete m_card;
        delete m_model;
    }

    // Until the report answers every box shows the loading row; then its values, "unkown" for
    // what it did not tell.
    void testLoadingThenValues_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QStringList>("expected"); // resolution, processors, cores, serial, UUID
        QTest::newRow("whole report") << report
                                      << QStringList { "1920 x 1080", "1", "8", "PF3XK2QD",
                                             "4C4C4544-0051-3510-8039-B4C04F4B4D32" };
        QTest::newRow("no UUID line") << QString(report).remove(QRegularExpression(".*UUID.*\n"))
                                      << QStringList { "1920 x 1080", "1", "8", "PF3XK2QD", "unkown" };
        QTest::newRow("no displays, empty serial")
            << QString(report).remove(QRegularExpression(".*Resolution.*\n")).replace("PF3XK2QD", "")
            << QStringList { "unkown", "1", "8", "unkown", "4C4C4544-0051-3510-8039-B4C04F4B4D32" };
    }

    void testLoadingThenValues()
    {
        QFETCH(QString, output);
        QFETCH(QStringList, expected);
        m_preferences->setSetSerialNumber(true);
        m_preferences->setSetShowUUID(true);
        QCoreApplication::processEvents();
        QCOMPARE(loadingBoxes(), 3);
        QVERIFY(!m_card->serialField()->isVisibleTo(m_card));

        m_model->readChunk(output);
        m_model->reportFinished();
        QCOMPARE(loadingBoxes(), 0);
        const QStringList shown = shownTexts();
        for (const QString &value : expected)
            QVERIFY2(shown.contains(value), qPrintable(value + " not in " + shown.join(" | ")));
    }

    // A press copies the value as it is a second later, with no line break; a masked value
    // neither copies nor shows the notice, and screen readers hear "hidden", not asterisks.
    void testCopy_data()
    {
        QTest::addColumn<bool>("uuid");
        QTest::addColumn<bool>("allowed");
        QTest::addColumn<int>("key"); // 0: a mouse click
        QTest::addColumn<QString>("copied");
        const QString uuid = QStringLiteral("4C4C4544-0051-3510-8039-B4C04F4B4D32");
        QTest::newRow("UUID, click") << true << true << 0 << uuid;
        QTest::newRow("UUID, Space") << true << true << int(Qt::Key_Space) << uuid;
        QTest::newRow("serial, Enter") << false << true << int(Qt::Key_Return) << "PF3XK2QD";
        QTest::newRow("masked UUID") << true << false << 0 << QString();
        QTest::newRow("masked serial, Enter") << false << false << int(Qt::Key_Return) << QString();
    }

    void testCopy()
    {
        QFETCH(bool, uuid);
        QFETCH(bool, allowed);
        QFETCH(int, key);
        QFETCH(QString, copied);
        m_model->readChunk(report);
        m_preferences->setSetShowUUID(uuid && allowed);
        m_preferences->setSetSerialNumber(!uuid && allowed);
        QCoreApplication::processEvents();
        CopyField *field = uuid ? m_card->uuidField() : m_card->serialField();
        const QString mask = uuid ? ToggleView::uuidMask : ToggleView::serialMask;
        QCOMPARE(field->shownText() == mask, !allowed);
        QCOMPARE(accessibleName(field).contains(QLatin1String("hidden")), !allowed);
        QVERIFY(!accessibleName(field).contains(u'*'));

        QClipboard *clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("before"));
        QSignalSpy changes(clipboard, &QClipboard::dataChanged);
        if (key)
            QTest::keyClick(field, Qt::Key(key));
        else
            QTest::mouseClick(field, Qt::LeftButton);
        QCOMPARE(field->isNoticeShown(), allowed);
        if (allowed) {
            // Read when the copy is made: a value that changes meanwhile is the one copied.
            const QString later = copied + QStringLiteral("0");
            m_model->readChunk((uuid ? "Hardware UUID: " : "Serial Number (system): ") + later + "\n");
            QTRY_COMPARE_WITH_TIMEOUT(clipboard->text(), later, 3000);
            QVERIFY(!field->isNoticeShown());
            return;
        }
        // The other field, allowed, copies after the same delay: by then a copy of the masked
        // one would have landed as well.
        CopyField *witness = uuid ? m_card->serialField() : m_card->uuidField();
        m_preferences->setSetSerialNumber(uuid);
        m_preferences->setSetShowUUID(!uuid);
        QCoreApplication::processEvents();
        QTest::mouseClick(witness, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(changes.size(), 1, 3000);
        QTRY_VERIFY_WITH_TIMEOUT(!witness->isNoticeShown(), 3000);
        QCOMPARE(changes.size(), 1);
        QCOMPARE(clipboard->text(),
            uuid ? QStringLiteral("PF3XK2QD") : QStringLiteral("4C4C4544-0051-3510-8039-B4C04F4B4D32"));
    }
};

QTEST_MAIN(TestToggleView)
#include "tst_ToggleView.moc"
