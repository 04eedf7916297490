// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "battery/BatteryManager.h"

#include <QPromise>
#include <QSemaphore>
#include <QThreadPool>
#include <QTimer>
#include <memory>

BatteryManager::BatteryManager(QObject *parent)
    : BatteryManager(Options {}, parent)
{ }

BatteryManager::BatteryManager(Options options, QObject *parent)
    : QObject(parent)
    , m_options(std::move(options))
    , m_timer(new QTimer(this))
{
    // A coarse timer may fire up to 5 % late, half a second on 10 s: lets the kernel batch
    // the wake-up with others.
    m_timer->setTimerType(Qt::CoarseTimer);
    m_timer->setInterval(m_options.interval);
    connect(m_timer, &QTimer::timeout, this, &BatteryManager::requestReading);
    connect(&m_watcher, &QFutureWatcher<std::optional<Battery>>::finished, this, &BatteryManager::readingFinished);

    m_firstReadingPending = true;
    const std::shared_ptr<QSemaphore> done = launchReading();
    if (done->tryAcquire(1, static_cast<int>(m_options.firstReadingWait.count()))) {
        const QFuture<std::optional<Battery>> future = m_watcher.future();
        m_readingInFlight = false;
        m_firstReadingPending = false;
        m_battery = future.resultCount() > 0 ? future.result() : std::nullopt;
        // The watcher's own finished notice for this reading is now stale.
        m_watcher.setFuture(QFuture<std::optional<Battery>>());
    }
}

BatteryManager::~BatteryManager()
{
    // A reading still under way finishes on its worker and is dropped with the watcher.
    m_watcher.disconnect(this);
}

void BatteryManager::start()
{
    m_timer->start();
    if (!m_started) {
        m_started = true;
        emit startedChanged();
    }
    requestReading();
}

void BatteryManager::stop()
{
    m_timer->stop();
    m_readAgain = false;
    if (m_started) {
        m_started = false;
        emit startedChanged();
    }
}

void BatteryManager::requestReading()
{
    // One reading at a time: a driver that stalls must not pile up workers.
    if (m_readingInFlight) {
        m_readAgain = true;
        return;
    }
    launchReading();
}

std::shared_ptr<QSemaphore> BatteryManager::launchReading()
{
    m_readingInFlight = true;
    m_readAgain = false;
    auto promise = std::make_shared<QPromise<std::optional<Battery>>>();
    promise->start();
    m_watcher.setFuture(promise->future());
    auto done = std::make_shared<QSemaphore>();
    QThreadPool::globalInstance()->start([promise, done, sources = m_options.sources]() {
        promise->addResult(InternalFinder(sources).readInternalBattery());
        promise->finish();
        done->release();
    });
    return done;
}

void BatteryManager::readingFinished()
{
    const QFuture<std::optional<Battery>> future = m_watcher.future();
    if (!m_readingInFlight || !future.isFinished()) {
        return;
    }
    m_readingInFlight = false;
    const bool wanted = m_started || m_firstReadingPending;
    m_firstReadingPending = false;
    if (wanted) {
        store(future.resultCount() > 0 ? future.result() : std::nullopt);
    }
    if (m_started && m_readAgain) {
        launchReading();
    }
}

void BatteryManager::store(std::optional<Battery> reading)
{
    m_battery = std::move(reading);
    emit batteryChanged();
}
