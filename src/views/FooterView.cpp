// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FooterView.h"

#include "GroupBox.h"
#include "KeyLabel.h"
#include "PanelFont.h"
#include "RegionPlaceholder.h"
#include "SymbolImage.h"
#include "system/CommandLineManager.h"
#include "system/HelperProgram.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <pthread.h>
#include <thread>

namespace {

constexpr int kCpuIcon = 13;

QStringList nonEmptyLines(const QString &text)
{
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The value after a line's label, as the report's line position readers take it: the second
// colon-separated piece, untrimmed.
std::optional<QString> secondPiece(const QString &line)
{
    const QStringList pieces = line.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (pieces.size() < 2) {
        return std::nullopt;
    }
    return pieces.at(1);
}

QLabel *nameLabel(const QFont &font, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    return label;
}

QHBoxLayout *row(QWidget *first, QWidget *second)
{
    auto *layout = new QHBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addStretch();
    layout->addWidget(first);
    layout->addStretch();
    layout->addWidget(second);
    layout->addStretch();
    return layout;
}

// Whether two refreshes draw the same: the texts alike and the shares within what the pie and
// the ring can show.
bool drawnAlike(const ResourceFigures &a, const ResourceFigures &b)
{
    const auto close = [](double x, double y) { return std::abs(x - y) < 1.0 / (360 * 16); };
    return close(a.memoryShare, b.memoryShare) && close(a.disk.usedRatio, b.disk.usedRatio)
        && a.memoryPercent == b.memoryPercent && a.memoryFree == b.memoryFree && a.memoryUsed == b.memoryUsed
        && a.memoryTotal == b.memoryTotal && a.cpuUser == b.cpuUser && a.cpuSystem == b.cpuSystem
        && a.cpuIdle == b.cpuIdle && a.disk.freeText == b.disk.freeText && a.disk.totalText == b.disk.totalText
        && a.disk.percentText == b.disk.percentText && a.disk.usedText == b.disk.usedText;
}

} // namespace

// The refresh thread. It sleeps until the panel shows, then reads once a second on its own
// clock, so the main thread wakes only to show what changed: one queued call a tick at most.
class FooterView::Refresher
{
public:
    explicit Refresher(FooterView *panel)
        : m_thread([this, panel] { run(panel); })
    { }

    ~Refresher()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_quit = true;
        }
        m_wake.notify_one();
        // A read under way is a few small files and a statvfs of the root: it ends soon.
        m_thread.join();
    }

    // Shown: the first figures at once, with the CPU shares since start-up.
    void start()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_running = true;
            m_restart = true;
        }
        m_wake.notify_one();
    }

    void stop()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_running = false;
            m_forced = false;
        }
        m_wake.notify_one();
    }

    void readNow()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_forced = true;
        }
        m_wake.notify_one();
    }

private:
    using Clock = std::chrono::steady_clock;

    void run(FooterView *panel)
    {
        // Its own name in top and in the benchmarks' per-thread figures.
        pthread_setname_np(pthread_self(), "PanelRefresh");
        CpuLoadTicks previous;
        std::optional<ResourceFigures> handedOver;
        Clock::time_point due;
        std::unique_lock lock(m_mutex);
        while (true) {
            m_wake.wait(lock, [this] { return m_quit || m_running || m_forced; });
            if (m_quit) {
                return;
            }
            if (m_restart) {
                m_restart = false;
                previous = {};
                handedOver.reset();
                due = Clock::now();
            }
            if (!m_forced && m_running) {
                m_wake.wait_until(lock, due, [this] { return m_quit || m_restart || m_forced || !m_running; });
                if (m_quit || m_restart || (!m_forced && !m_running)) {
                    continue;
                }
            }
            const bool forced = m_forced;
            m_forced = false;
            const Clock::time_point now = Clock::now();
            if (m_running && now >= due) {
                // On the second's beat; a thread held up for longer starts a new beat.
                due = std::max(due + std::chrono::milliseconds(kIntervalMs), now);
            }
            lock.unlock();
            ResourceFigures figures = readResourceFigures(previous);
            const bool changed = !handedOver || !drawnAlike(*handedOver, figures);
            if (changed || forced) {
                handedOver = figures;
                QMetaObject::invokeMethod(
                    panel, [panel, figures = std::move(figures)] { panel->showFigures(figures); },
                    Qt::QueuedConnection);
            }
            lock.lock();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_quit = false;
    bool m_running = false;
    bool m_restart = false;
    bool m_forced = false;
    std::thread m_thread;
};

FooterView::FooterView(QWidget *parent)
    : QWidget(parent)
    , m_memoryCard(new FlipCard({ "Memory_title", "Memory_used", "Memory_total", 5 }, this))
    , m_diskCard(new FlipCard({ "HardDisk_title", "HardDisk_used", "HardDisk_total", 3 }, this))
    , m_modelName(QStringLiteral("unkown"))
    , m_processorName(QStringLiteral("unkown"))
{
    setObjectName(QStringLiteral("FooterView"));
    setFixedHeight(kHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_memoryCard->setObjectName(QStringLiteral("MemoryCard"));
    m_diskCard->setObjectName(QStringLiteral("DiskCard"));

    auto *column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(kBoxSize.height() - 2 * kSmallBoxSize.height());
    column->addWidget(makeSystemBox());
    column->addWidget(makeCpuBox());
    auto *columnWidget = new QWidget(this);
    columnWidget->setLayout(column);

    m_actions = new RegionPlaceholder(
        kBoxSize, { "Setting_Btn_Title", "About_Btn_Title", "Feedback_Btn_Title", "Quit_Btn_Title" }, QMargins(), this);
    m_actions->setObjectName(QStringLiteral("ActionsPlaceholder"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addStretch();
    layout->addLayout(row(m_memoryCard, columnWidget));
    m_secondRow = row(m_diskCard, m_actions);
    layout->addLayout(m_secondRow);
    layout->addStretch();

    showNames();
    m_refresher = std::make_unique<Refresher>(this);
}

// The thread is joined before the widget goes; figures it handed over and not yet shown go
// with the widget's posted events.
FooterView::~FooterView() = default;

void FooterView::setActions(QWidget *actions)
{
    const int index = m_secondRow->indexOf(m_actions);
    delete m_actions;
    m_actions = actions;
    actions->setParent(this);
    m_secondRow->insertWidget(index, actions);
}

QWidget *FooterView::makeSystemBox()
{
    auto *box = new GroupBox(this);
    box->setFixedSize(kSmallBoxSize);
    auto *layout = static_cast<QVBoxLayout *>(box->layout());
    layout->setContentsMargins(5, 2, 4, 2);
    layout->setSpacing(0);
    const QFont labelFont = PanelFont::make(font(), 11, QFont::DemiBold);
    const QFont valueFont = PanelFont::make(font(), 10, QFont::DemiBold);
    auto *modelLabel = new KeyLabel("SystemModelName", labelFont, box);
    m_model = nameLabel(valueFont, box);
    auto *processorLabel = new KeyLabel("SystemProcessorName", labelFont, box);
    m_processor = nameLabel(valueFont, box);
    layout->addStretch();
    layout->addWidget(modelLabel);
    layout->addSpacing(1);
    layout->addWidget(m_model);
    layout->addStretch();
    layout->addWidget(processorLabel);
    layout->addSpacing(1);
    layout->addWidget(m_processor);
    layout->addStretch();
    return box;
}

QWidget *FooterView::makeCpuBox()
{
    auto *box = new GroupBox(this);
    box->setFixedSize(kSmallBoxSize);
    auto *layout = static_cast<QVBoxLayout *>(box->layout());
    layout->setContentsMargins(5, 2, 4, 2);
    layout->setSpacing(1);
    auto *heading = new QHBoxLayout;
    heading->setSpacing(4);
    m_cpuIcon = new QLabel(box);
    m_cpuIcon->setFixedSize(kCpuIcon, kCpuIcon);
    m_cpuTitle = nameLabel(PanelFont::make(font(), 11, QFont::DemiBold), box);
    heading->addWidget(m_cpuIcon);
    heading->addWidget(m_cpuTitle, 1);
    layout->addStretch();
    layout->addLayout(heading);
    const QFont figureFont = PanelFont::make(font(), 10, QFont::DemiBold);
    m_cpuUser = new FigureRow("CPU_User", figureFont, 5, box);
    m_cpuSystem = new FigureRow("CPU_System", figureFont, 5, box);
    m_cpuIdle = new FigureRow("CPU_Idle", figureFont, 5, box);
    for (FigureRow *figure : { m_cpuUser, m_cpuSystem, m_cpuIdle }) {
        figure->setContentsMargins(6, 0, 0, 0);
        figure->setAccessiblePrefix(QStringLiteral("CPU"));
        figure->setFixedValueWidth(QStringLiteral("100.00%"));
        layout->addWidget(figure);
    }
    layout->addStretch();
    renderCpuIcon();
    return box;
}

QString FooterView::parseProcessorSpeed(const QString &text)
{
    const QStringList lines = nonEmptyLines(text);
    if (lines.size() < 7) {
        return QStringLiteral("unkown");
    }
    // A sixth line without a value reads as the report's placeholder for a missing one.
    return secondPiece(lines.at(5)).value_or(QStringLiteral("unkown"));
}

void FooterView::parseModelAndProcessor(const QString &text, QString &modelName, QString &processorName)
{
    const QStringList lines = nonEmptyLines(text);
    if (lines.size() < 6) {
        return;
    }
    if (const auto model = secondPiece(lines.at(2))) {
        modelName = *model;
    }
    if (const auto processor = secondPiece(lines.at(4))) {
        processorName = *processor;
    }
}

FlipCard::Figures FooterView::memoryCardFigures(const ResourceFigures &figures)
{
    // The ring face's first row is what is still available, not what is used.
    return { figures.memoryShare, figures.memoryPercent, figures.memoryUsed, figures.memoryFree, figures.memoryFree,
        figures.memoryTotal };
}

FlipCard::Figures FooterView::diskCardFigures(const ResourceFigures &figures)
{
    const DiskUsage &disk = figures.disk;
    return { disk.usedRatio, disk.percentText, disk.usedText, disk.freeText, disk.freeText, disk.totalText };
}

QStringList FooterView::cpuTexts() const
{
    return { m_cpuUser->value(), m_cpuSystem->value(), m_cpuIdle->value() };
}

bool FooterView::isRefreshing() const
{
    return m_refreshing;
}

void FooterView::refreshNow()
{
    m_refresher->readNow();
}

void FooterView::showEvent(QShowEvent *event)
{
    // Shares since the counters were last zeroed: the first figure covers the time since
    // start-up, each later one the last second.
    if (!m_refreshing) {
        m_refreshing = true;
        m_refresher->start();
    }
    runHardwareReport();
    QWidget::showEvent(event);
}

void FooterView::hideEvent(QHideEvent *event)
{
    // Nobody sees the figures now: no wake-ups, no reads.
    m_refreshing = false;
    m_refresher->stop();
    QWidget::hideEvent(event);
}

void FooterView::showFigures(const ResourceFigures &figures)
{
    m_memoryCard->setFigures(memoryCardFigures(figures));
    m_diskCard->setFigures(diskCardFigures(figures));
    m_cpuUser->setValue(figures.cpuUser);
    m_cpuSystem->setValue(figures.cpuSystem);
    m_cpuIdle->setValue(figures.cpuIdle);
    ++m_refreshCount;
    emit refreshed();
}

void FooterView::runHardwareReport()
{
    if (m_reportRunning) {
        return;
    }
    m_reportRunning = true;
    m_reportOutput.clear();
    // The whole report is read before it is parsed: a pipe may cut it anywhere, and a short
    // last piece would otherwise turn a known speed back into "unkown".
    CommandLineManager::runCommand(
        helperProgramPath(QStringLiteral("system_profiler")), QStringList { QStringLiteral("SPHardwareDataType") },
        [this](const QString &chunk) { m_reportOutput += chunk; },
        [this](int /*status*/) {
            m_reportRunning = false;
            if (m_reportOutput.isEmpty()) {
                return;
            }
            m_cpuSpeedString = parseProcessorSpeed(m_reportOutput);
            parseModelAndProcessor(m_reportOutput, m_modelName, m_processorName);
            m_reportOutput.clear();
            showNames();
        },
        this);
}

void FooterView::showNames()
{
    const auto fit = [](QLabel *label, const QString &text) {
        const int room = kSmallBoxSize.width() - 5 - 4 - 3;
        const QString shown = label->fontMetrics().elidedText(text, Qt::ElideRight, room);
        label->setText(shown);
        // A name cut short is there in full for the pointer and for screen readers.
        label->setToolTip(shown == text ? QString() : text.trimmed());
        label->setAccessibleName(text.trimmed());
        label->setContentsMargins(3, 0, 0, 0);
    };
    fit(m_model, m_modelName);
    fit(m_processor, m_processorName);
    m_cpuTitle->setText(QStringLiteral("CPU ") + m_cpuSpeedString);
}

void FooterView::renderCpuIcon()
{
    m_cpuIcon->setPixmap(SymbolImage::pixmap(QStringLiteral("cpu.fill"), QSize(kCpuIcon, kCpuIcon),
        palette().color(QPalette::WindowText), devicePixelRatioF()));
}

void FooterView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange) {
        renderCpuIcon();
    }
    QWidget::changeEvent(event);
}
