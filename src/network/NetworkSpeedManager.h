// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class TitleSink;

// Samples the machine's cumulative Wi-Fi and wired byte counters once a second on a worker
// thread and hands the upload and download rates, as text, to the title sink.
class NetworkSpeedManager : public QObject
{
    Q_OBJECT

public:
    explicit NetworkSpeedManager(TitleSink *statusBar, QObject *parent = nullptr);
    ~NetworkSpeedManager() override;

    void startSampling();
    void stopSampling();

    // One tick: one run of the counter report, then parseOutput().
    void sampleOnce();
    void parseOutput(const QString &output);

    // The ten arguments each tick passes to the counter report.
    static const QStringList &sampleArguments();
};
