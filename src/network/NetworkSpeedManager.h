// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "NettopSample.h"

#include <QMutex>
#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QThread;
class TitleSink;

// Samples the machine's cumulative Wi-Fi and wired byte counters once a second on a worker
// thread and hands the upload and download rates, as text, to the title sink. The sink is
// called while the tick holds the sampler's lock (that is what lets stopSampling() promise
// that nothing follows it), so updateTitle() must post to the main thread, never wait for it.
// The worker runs no event loop: it sleeps until the next tick is due or a start or the end
// wakes it, so an idle second costs one wake-up, one reading of the clock and the tick's own
// reads.
class NetworkSpeedManager : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool sampling READ isSampling NOTIFY samplingChanged)

public:
    explicit NetworkSpeedManager(TitleSink *statusBar, QObject *parent = nullptr, NettopRoots roots = {},
        std::chrono::milliseconds interval = std::chrono::milliseconds(1000));
    ~NetworkSpeedManager() override;

    // Safe to call repeatedly. stopSampling() waits for a tick in progress; once it
    // returns, nothing more is published until the next startSampling().
    void startSampling();
    void stopSampling();
    bool isSampling() const;

    // One tick: the counted interfaces' totals, as parseOutput() would read them from one
    // run of the counter report.
    void sampleOnce();
    void parseOutput(const QString &output);

    // The ten arguments each tick passes to the counter report.
    static const QStringList &sampleArguments();

    // The monotonic clock each sample is timed with; tests put in their own. Without one the
    // worker's own reading of the steady clock, taken as it wakes for the tick, times it.
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    void setClock(Clock clock);

Q_SIGNALS:
    void samplingChanged(bool sampling);
    // The byte differences behind each published title, scaled to the interval, emitted on
    // the tick's thread just before the sink is called.
    void speedMeasured(qint64 uploadBytes, qint64 downloadBytes);

protected:
    void connectNotify(const QMetaMethod &signal) override;
    void disconnectNotify(const QMetaMethod &signal) override;

private:
    void run();
    // Lets go of the lock and sleeps until woken or, given one, until the deadline.
    void sleepLocked(const std::chrono::steady_clock::time_point *deadline);
    void wakeLocked();
    // `now` is a fresh reading of the steady clock.
    void sampleLocked(std::chrono::steady_clock::time_point now);
    void parseLocked(const QString &output, std::chrono::steady_clock::time_point time);
    // The totals of one sample: the first only seeds, each later one publishes a rate.
    void publishLocked(qint64 upload, qint64 download, std::chrono::steady_clock::time_point time);
    void resetLocked();

    TitleSink *m_statusBar;
    std::chrono::milliseconds m_interval;
    std::unique_ptr<QThread> m_thread;

    // Guards everything below; held for a whole tick so that a stop waits for it.
    mutable QMutex m_mutex;
    // Bumped, with a wake-up, for a start (whose first tick is at once) and for the end; the
    // worker sleeps on it while it holds what it saw under the lock.
    std::atomic<std::uint32_t> m_wake { 0 };
    // Connections to speedMeasured(): a tick with no one to hear it does not emit it at all.
    std::atomic<int> m_speedListeners { 0 };
    NettopProducer m_producer;
    bool m_running = false;
    bool m_startPending = false;
    bool m_quit = false;
    QString m_incompleteLastLineOutputString;
    qint64 m_lengthOflastHeaderLine = 0;
    qint64 m_lastUploadBytes = 0;
    qint64 m_lastDownloadBytes = 0;
    qint64 m_currentUploadBytes = 0;
    qint64 m_currentDownloadBytes = 0;
    struct ShownRate
    {
        qint64 rate = 0;
        QString text;
    };
    ShownRate m_shownUpload;
    ShownRate m_shownDownload;
    Clock m_clock;
    std::chrono::steady_clock::time_point m_lastSampleTime;
};
