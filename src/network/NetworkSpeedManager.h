// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "NettopSample.h"

#include <QMutex>
#include <QObject>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <optional>

class QThread;
class QTimer;
class TitleSink;

// Samples the machine's cumulative Wi-Fi and wired byte counters once a second on a worker
// thread and hands the upload and download rates, as text, to the title sink. The sink is
// called while the tick holds the sampler's lock (that is what lets stopSampling() promise
// that nothing follows it), so updateTitle() must post to the main thread, never wait for it.
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

    // One tick: one run of the counter report, then parseOutput().
    void sampleOnce();
    void parseOutput(const QString &output);

    // The ten arguments each tick passes to the counter report.
    static const QStringList &sampleArguments();

    // The monotonic clock each sample is timed with; tests put in their own.
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    void setClock(Clock clock);

Q_SIGNALS:
    void samplingChanged(bool sampling);
    // The byte differences behind each published title, scaled to the interval, emitted on
    // the tick's thread just before the sink is called.
    void speedMeasured(qint64 uploadBytes, qint64 downloadBytes);

private:
    void tick(quint64 generation);
    void sampleLocked();
    void parseLocked(const QString &output, std::chrono::steady_clock::time_point time);
    void resetLocked();

    TitleSink *m_statusBar;
    std::chrono::milliseconds m_interval;
    QThread *m_thread = nullptr;
    QTimer *m_netSpeedTimer = nullptr;
    quint64 m_timerGeneration = 0; // the start the timer runs for; worker thread only

    // Guards everything below; held for a whole tick so that a stop waits for it.
    mutable QMutex m_mutex;
    NettopProducer m_producer;
    bool m_running = false;
    quint64 m_generation = 0;
    QString m_incompleteLastLineOutputString;
    qint64 m_lengthOflastHeaderLine = 0;
    qint64 m_lastUploadBytes = 0;
    qint64 m_lastDownloadBytes = 0;
    qint64 m_currentUploadBytes = 0;
    qint64 m_currentDownloadBytes = 0;
    Clock m_clock = [] { return std::chrono::steady_clock::now(); };
    std::chrono::steady_clock::time_point m_lastSampleTime;
};
