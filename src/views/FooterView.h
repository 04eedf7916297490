// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FlipCard.h"
#include "system/HostStatistics.h"
#include "system/ResourceFigures.h"

#include <QFutureWatcher>
#include <QWidget>
#include <memory>

class FigureRow;
class GroupBox;
class QHBoxLayout;
class QLabel;
class QTimer;

// The resource panel: memory and disk cards, the model and processor names, and the CPU
// shares, in two rows; the second row ends with the footer's actions. While shown it refreshes
// once a second: the figures are read and formatted on a worker thread and handed back by a
// queued call. Hidden, it reads nothing.
class FooterView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kHeight = 370;
    static constexpr QSize kBoxSize { 152, 140 };
    // Two of these, one above the other, stand as high as a card.
    static constexpr QSize kSmallBoxSize { 152, 66 };
    static constexpr int kIntervalMs = 1000;

    explicit FooterView(QWidget *parent = nullptr);
    ~FooterView() override;

    // Puts the footer's actions into their place in the second row (the panel owns them then).
    void setActions(QWidget *actions);

    // The text beside "CPU ": what follows the colon on the sixth non-empty line of the
    // hardware report; "unkown" for no text or fewer than seven lines.
    static QString parseProcessorSpeed(const QString &text);
    // The values of the report's third and fifth non-empty lines; with fewer than six lines,
    // or a line without a value, the field is left as it is.
    static void parseModelAndProcessor(const QString &text, QString &modelName, QString &processorName);

    static FlipCard::Figures memoryCardFigures(const ResourceFigures &figures);
    static FlipCard::Figures diskCardFigures(const ResourceFigures &figures);

    FlipCard *memoryCard() const { return m_memoryCard; }
    FlipCard *diskCard() const { return m_diskCard; }
    QString modelName() const { return m_modelName; }
    QString processorName() const { return m_processorName; }
    QString cpuSpeedString() const { return m_cpuSpeedString; }
    QStringList cpuTexts() const;
    bool isRefreshing() const;
    // One refresh now, besides the timer's (benchmarks); skipped while one is under way.
    void refreshNow() { tick(); }
    // Ticks since the panel was built, for tests and benchmarks.
    int refreshCount() const { return m_refreshCount; }

signals:
    // After the figures of a tick were shown.
    void refreshed();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct TickState
    {
        CpuLoadTicks previous;
    };

    QWidget *makeSystemBox();
    QWidget *makeCpuBox();
    void tick();
    void launchTick();
    void tickFinished();
    void showFigures(const ResourceFigures &figures);
    void runHardwareReport();
    void showNames();
    void renderCpuIcon();

    FlipCard *m_memoryCard;
    FlipCard *m_diskCard;
    QHBoxLayout *m_secondRow = nullptr;
    QWidget *m_actions = nullptr;
    QLabel *m_model = nullptr;
    QLabel *m_processor = nullptr;
    QLabel *m_cpuIcon = nullptr;
    QLabel *m_cpuTitle = nullptr;
    FigureRow *m_cpuUser = nullptr;
    FigureRow *m_cpuSystem = nullptr;
    FigureRow *m_cpuIdle = nullptr;

    QString m_modelName;
    QString m_processorName;
    QString m_cpuSpeedString;

    // The one refresh timer: a later appearance restarts it, nothing else makes another.
    QTimer *m_dataTimer;
    std::shared_ptr<TickState> m_tickState;
    QFutureWatcher<ResourceFigures> m_watcher;
    bool m_tickInFlight = false;
    bool m_tickAgain = false;
    int m_refreshCount = 0;
    bool m_reportRunning = false;
    QString m_reportOutput;
};
