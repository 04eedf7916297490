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
const QString uuid = QStringLiteral("4C4C4544-0051-3510-8039-B4C04F4B4D32");
const QString report = QStringLiteral("Graphics/Displays:\n      Resolution: 1920 x 1080\nHardware:\n"
                                      "      Number of Processors: 1\n      Total Number of Cores: 8\n"
                                      "      Serial Number (system): PF3XK2QD\n      Hardware UUID: ")
    + uuid + '\n';
} // namespace

class TestToggleView : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_config;
    PreferenceManager m_preferences { m_config.path(), QLocale(QLocale::English) };
    MachineIdentity m_identity { { .useHostnamed = false } };
    std::unique_ptr<ScriptViewModel> m_model;
    std::unique_ptr<ToggleView> m_card;

    void show(bool serial, bool uuid)
    {
        m_preferences.setSetSerialNumber(serial);
        m_preferences.setSetShowUUID(uuid);
        QCoreApplication::processEvents();
    }

private slots:
    void init()
    {
        m_model = std::make_unique<ScriptViewModel>(QString(), QStringList {});
        m_card = std::make_unique<ToggleView>(&m_preferences, m_model.get(), &m_identity);
        m_card->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_card.get()));
    }

    void cleanup() { m_card.reset(); }

    // Until the report answers every box shows the loading row; then its values. What the
    // report leaves out reads "unkown", which is the model's business.
    void testLoadingThenValues()
    {
        show(true, true);
        const auto loadingBoxes = [this] {
            const auto rows = m_card->findChildren<LoadingRow *>();
            return std::count_if(rows.begin(), rows.end(), [&](auto *row) { return row->isVisibleTo(m_card.get()); });
        };
        QCOMPARE(loadingBoxes(), 3);
        QVERIFY(!m_card->serialField()->isVisibleTo(m_card.get()));
        m_model->readChunk(report);
        m_model->reportFinished();
        QCOMPARE(loadingBoxes(), 0);
        QStringList shown;
        for (const QLabel *label : m_card->findChildren<QLabel *>())
            if (label->isVisibleTo(m_card.get()))
                shown << label->text();
        for (const CopyField *field : m_card->findChildren<CopyField *>())
            if (field->isVisibleTo(m_card.get()))
                shown << field->shownText();
        for (const QString &value : { QStringLiteral("1920 x 1080"), QStringLiteral("1"), QStringLiteral("8"),
                 QStringLiteral("PF3XK2QD"), uuid })
            QVERIFY2(shown.contains(value), qPrintable(value + " not in " + shown.join(" | ")));
    }

    // A press copies the value as it is a second later, with no line break; a masked value
    // neither copies nor shows the notice, and screen readers hear "hidden", not asterisks.
    void testCopy_data()
    {
        QTest::addColumn<bool>("isUuid");
        QTest::addColumn<bool>("allowed");
        QTest::addColumn<int>("key"); // 0: a mouse click
        QTest::addColumn<QString>("copied");
        QTest::newRow("UUID, click") << true << true << 0 << uuid;
        QTest::newRow("UUID, Space") << true << true << int(Qt::Key_Space) << uuid;
        QTest::newRow("serial, Enter") << false << true << int(Qt::Key_Return) << "PF3XK2QD";
        QTest::newRow("masked UUID") << true << false << 0 << "PF3XK2QD";
        QTest::newRow("masked serial, Enter") << false << false << int(Qt::Key_Return) << uuid;
    }

    void testCopy()
    {
        QFETCH(bool, isUuid);
        QFETCH(bool, allowed);
        QFETCH(int, key);
        QFETCH(QString, copied);
        m_model->readChunk(report);
        show(!isUuid && allowed, isUuid && allowed);
        CopyField *field = isUuid ? m_card->uuidField() : m_card->serialField();
        QCOMPARE(field->shownText() == (isUuid ? ToggleView::uuidMask : ToggleView::serialMask), !allowed);
        const QString spoken = QAccessible::queryAccessibleInterface(field)->text(QAccessible::Name);
        QCOMPARE(spoken.contains(QLatin1String("hidden")), !allowed);
        QVERIFY(!spoken.contains(u'*'));

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
            copied += QStringLiteral("0");
            m_model->readChunk((isUuid ? "      Hardware UUID: " : "      Serial Number (system): ") + copied + "\n");
        } else {
            // The other field, allowed, copies after the same delay: by then a copy of the
            // masked one would have landed as well.
            show(isUuid, !isUuid);
            QTest::mouseClick(isUuid ? m_card->serialField() : m_card->uuidField(), Qt::LeftButton);
        }
        QTRY_COMPARE_WITH_TIMEOUT(changes.size(), 1, 3000);
        QTRY_VERIFY_WITH_TIMEOUT(
            !m_card->uuidField()->isNoticeShown() && !m_card->serialField()->isNoticeShown(), 3000);
        QCOMPARE(changes.size(), 1);
        QCOMPARE(clipboard->text(), copied);
    }
};

QTEST_MAIN(TestToggleView)
#include "tst_ToggleView.moc"
