// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The dashboard's lower half (the footer's parsers, its cards and their turn, the battery page's
// texts) and the hardware card over a report the test holds back and feeds.
#include "preferences/PreferenceManager.h"
#include "system/MachineIdentity.h"
#include "system/ScriptViewModel.h"
#include "views/BatteryInfoView.h"
#include "views/CopyField.h"
#include "views/FlipEffect.h"
#include "views/FooterView.h"
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
// The hardware report's first lines as our report program prints them.
const QString kReport = QStringLiteral("Hardware:\n\n    Hardware Overview:\n\n      Model Name: ThinkPad X1\n"
                                       "      Model Identifier: 20QD\n      Processor Name: Intel Core i7\n"
                                       "      Processor Speed: 1.80 GHz\n      Number of Processors: 1\n");

std::optional<qint64> maybe(qint64 value)
{
    return value < 0 ? std::nullopt : std::optional<qint64>(value);
}

const QString uuid = QStringLiteral("4C4C4544-0051-3510-8039-B4C04F4B4D32");
const QString report = QStringLiteral("Graphics/Displays:\n      Resolution: 1920 x 1080\nHardware:\n"
                                      "      Number of Processors: 1\n      Total Number of Cores: 8\n"
                                      "      Serial Number (system): PF3XK2QD\n      Hardware UUID: ")
    + uuid + '\n';
} // namespace

class TestFooterView : public QObject
{
    Q_OBJECT

private slots:
    void testParsers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("processor");
        const QString unknown = QStringLiteral("unkown");
        QTest::newRow("whole report") << kReport << " 1.80 GHz"
                                      << " ThinkPad X1"
                                      << " Intel Core i7";
        QTest::newRow("no text") << QString() << unknown << unknown << unknown;
        QTest::newRow("six lines: names but no speed")
            << kReport.section(QLatin1Char('\n'), 0, 7) << unknown << " ThinkPad X1"
            << " Intel Core i7";
        QTest::newRow("five lines change nothing")
            << kReport.section(QLatin1Char('\n'), 0, 6) << unknown << unknown << unknown;
        QTest::newRow("a value with a colon is cut at it")
            << QString(kReport).replace("1.80 GHz", "Turbo: 4.6 GHz").replace("ThinkPad X1", "X1: Gen 7") << " Turbo"
            << " X1"
            << " Intel Core i7";
        QTest::newRow("lines without values") << QString(kReport).replace(" 1.80 GHz", "").replace(" ThinkPad X1", "")
                                              << unknown << unknown << " Intel Core i7";
    }

    void testParsers()
    {
        QFETCH(QString, text);
        QString model = QStringLiteral("unkown");
        QString processor = QStringLiteral("unkown");
        FooterView::parseModelAndProcessor(text, model, processor);
        QTEST(FooterView::parseProcessorSpeed(text), "speed");
        QTEST(model, "model");
        QTEST(processor, "processor");
    }

    void testCardTurnsByKey_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("turns");
        QTest::newRow("space") << int(Qt::Key_Space) << true;
        QTest::newRow("return") << int(Qt::Key_Return) << true;
        QTest::newRow("enter") << int(Qt::Key_Enter) << true;
        QTest::newRow("a letter") << int(Qt::Key_A) << false;
    }

    void testCardTurnsByKey()
    {
        QFETCH(int, key);
        QFETCH(bool, turns);
        FlipCard card({ "Memory_title", "Memory_used", "Memory_total", 5 });
        card.show();
        QVERIFY(!card.showsPieFace());
        QTest::keyClick(&card, Qt::Key(key));
        QCOMPARE(card.flip(), turns);
        // Half way through the turn the pie face comes round.
        QTRY_COMPARE(card.showsPieFace(), turns);
    }

    void testTransform_data()
    {
        QTest::addColumn<double>("angle");
        QTest::addColumn<bool>("flipped");
        QTest::addColumn<double>("squeeze"); // horizontal scale about the centre line
        QTest::newRow("back at rest, not mirrored") << 180.0 << true << 1.0;
        QTest::newRow("edge-on") << 90.0 << false << 0.0;
        QTest::newRow("front drawn past the edge is mirrored") << 120.0 << false << -0.5;
    }

    void testTransform()
    {
        QFETCH(double, angle);
        QFETCH(bool, flipped);
        QFETCH(double, squeeze);
        const qreal w = 152;
        const qreal h = 140;
        const QTransform t = FlipEffect::transform(angle, flipped, w, h);
        // The centre line stays, every point keeps its height, x scales about the centre.
        for (const QPointF point : { QPointF(0, 0), QPointF(w, h), QPointF(w / 2, 17), QPointF(30, 100) }) {
            const QPointF mapped = t.map(point);
            QVERIFY2(qAbs(mapped.x() - (w / 2 + squeeze * (point.x() - w / 2))) < 1e-4,
                qPrintable(QString::number(mapped.x())));
            QVERIFY(qAbs(mapped.y() - point.y()) < 1e-4);
        }
        QVERIFY(!t.isAffine() || qFuzzyIsNull(t.m13()));
    }

    void testWriteIsDeferred()
    {
        FlipEffect effect;
        QSignalSpy changed(&effect, &FlipEffect::flippedChanged);
        // The frame that crosses the quarter turn is still drawn with the old face...
        const QTransform frame = effect.effectValue(100, 10, 10);
        QCOMPARE(frame.map(QPointF(0, 0)).x(), FlipEffect::transform(100, false, 10, 10).map(QPointF(0, 0)).x());
        QVERIFY(!effect.flipped());
        // ...and the face changes after it.
        QTRY_VERIFY(effect.flipped());
        QCOMPARE(changed.size(), 1);
    }

    void testTexts_data()
    {
        QTest::addColumn<int>("charging"); // -1 absent, 0 false, 1 true
        QTest::addColumn<int>("charged");
        QTest::addColumn<qint64>("current"); // -1 absent
        QTest::addColumn<qint64>("max");
        QTest::addColumn<qint64>("cycles");
        QTest::addColumn<double>("temperature"); // NaN absent
        QTest::addColumn<QStringList>("texts"); // state key, capacity, cycles, temperature, percent
        const double none = qQNaN();
        QTest::newRow("charging wins over charged")
            << 1 << 1 << 4012LL << 4382LL << 164LL << 30.64
            << QStringList { "BatteryCharging", "4012 / 4382 mAh", "164", "30.6 ℃", "91.56%" };
        QTest::newRow("charged") << 0 << 1 << 4382LL << 4382LL << 0LL << -2.0
                                 << QStringList { "BatteryChargedFull", "4382 / 4382 mAh", "0", "-2.0 ℃", "100.00%" };
        QTest::newRow("state absent") << -1 << -1 << 100LL << 1000LL << -1LL << none
                                      << QStringList { "BatteryConsuming", "100 / 1000 mAh", "", "", "10.00%" };
        QTest::newRow("no full capacity") << 0 << 0 << 4012LL << -1LL << -1LL << none
                                          << QStringList { "BatteryConsuming", "4012 / 0 mAh", "", "", "0.00%" };
        QTest::newRow("a full capacity of zero") << 0 << 0 << 50LL << 0LL << -1LL << none
                                                 << QStringList { "BatteryConsuming", "50 / 0 mAh", "", "", "0.00%" };
    }

    void testTexts()
    {
        QFETCH(int, charging);
        QFETCH(int, charged);
        QFETCH(double, temperature);
        QFETCH(qint64, current);
        QFETCH(qint64, max);
        QFETCH(qint64, cycles);
        Battery battery;
        if (charging >= 0)
            battery.isCharging = charging == 1;
        if (charged >= 0)
            battery.isCharged = charged == 1;
        battery.currentCapacity = maybe(current);
        battery.maxCapacity = maybe(max);
        battery.cycleCount = maybe(cycles);
        if (!qIsNaN(temperature))
            battery.temperature = temperature;
        const QStringList texts { QString::fromLatin1(BatteryInfoView::stateKey(battery)),
            BatteryInfoView::capacityText(battery), BatteryInfoView::cycleText(battery),
            BatteryInfoView::temperatureText(battery), BatteryInfoView::percentText(battery) };
        QTEST(texts, "texts");
        QVERIFY(qIsFinite(BatteryInfoView::chargeFraction(battery)));
    }

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

QTEST_MAIN(TestFooterView)
#include "tst_FooterView.moc"
