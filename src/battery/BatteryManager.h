// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "battery/Battery.h"
#include "battery/InternalFinder.h"

#include <QFutureWatcher>
#include <QObject>
#include <chrono>
#include <memory>
#include <optional>

class QSemaphore;
class QTimer;

// The battery section's model: the latest reading of the internal battery, re-read every
// 10 seconds while started. Readings run on a worker thread (sysfs may wait on the firmware,
// UPower on the bus) and land here by a queued hand-over, so the main thread never waits.
class BatteryManager : public QObject
{
    Q_OBJECT
    Q_PROPERTY(std::optional<Battery> battery READ battery NOTIFY batteryChanged)
    Q_PROPERTY(bool started READ isStarted NOTIFY startedChanged)

public:
    struct Options
    {
        InternalFinder::Sources sources;
        std::chrono::milliseconds interval = std::chrono::seconds(10);
        // How long construction waits for its first reading: one frame by default. A slower
        // reading still arrives, later, through batteryChanged, so a view that starts the
        // refresh only when a battery is present also has to look again when that signal comes.
        std::chrono::milliseconds firstReadingWait = std::chrono::milliseconds(16);
    };

    explicit BatteryManager(QObject *parent = nullptr);
    explicit BatteryManager(Options options, QObject *parent = nullptr);
    ~BatteryManager() override;

    // Absent when the machine has no internal battery (or before a slow first reading).
    const std::optional<Battery> &battery() const { return m_battery; }
    bool isStarted() const { return m_started; }

    // Reads at once, then every interval. Calling it again restarts the one timer.
    void start();
    // No readings after this, not even one already under way; battery keeps its value.
    void stop();

signals:
    // Emitted after every reading that was stored, even if it reads the same: each reading
    // is a new record.
    void batteryChanged();
    void startedChanged();

private:
    void requestReading();
    std::shared_ptr<QSemaphore> launchReading();
    void readingFinished();
    void store(std::optional<Battery> reading);

    Options m_options;
    std::optional<Battery> m_battery;
    QTimer *m_timer = nullptr;
    QFutureWatcher<std::optional<Battery>> m_watcher;
    bool m_started = false;
    bool m_readingInFlight = false;
    // The first reading is kept even when it lands after a stop.
    bool m_firstReadingPending = false;
    // A tick or a start came while a reading was under way.
    bool m_readAgain = false;
};
