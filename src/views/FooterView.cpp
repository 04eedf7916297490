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
#include <QPromise>
#include <QThreadPool>
#include <QTimer>
#include <QVBoxLayout>

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

} // namespace

FooterView::FooterView(QWidget *parent)
    : QWidget(parent)
    , m_memoryCard(new FlipCard({ "Memory_title", "Memory_used", "Memory_total", 5 }, this))
    , m_diskCard(new FlipCard({ "HardDisk_title", "HardDisk_used", "HardDisk_total", 3 }, this))
    , m_modelName(QStringLiteral("unkown"))
    , m_processorName(QStringLiteral("unkown"))
    , m_dataTimer(new QTimer(this))
    , m_tickState(std::make_shared<TickState>())
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

    // A coarse timer may fire a little late, letting the kernel batch the wake-up.
    m_dataTimer->setTimerType(Qt::CoarseTimer);
    m_dataTimer->setInterval(kIntervalMs);
    connect(m_dataTimer, &QTimer::timeout, this, &FooterView::tick);
    connect(&m_watcher, &QFutureWatcher<ResourceFigures>::finished, this, &FooterView::tickFinished);
    showNames();
}

FooterView::~FooterView()
{
    // A tick still under way finishes on its worker with its own state and is dropped.
    m_watcher.disconnect(this);
}

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
    return m_dataTimer->isActive();
}

void FooterView::showEvent(QShowEvent *event)
{
    // Shares since the counters were last zeroed: the first figure covers the time since
    // start-up, each later one the last second.
    if (!m_dataTimer->isActive()) {
        m_tickState = std::make_shared<TickState>();
        m_dataTimer->start();
        tick();
    }
    runHardwareReport();
    QWidget::showEvent(event);
}

void FooterView::hideEvent(QHideEvent *event)
{
    // Nobody sees the figures now: no wake-ups, no reads.
    m_dataTimer->stop();
    m_tickAgain = false;
    QWidget::hideEvent(event);
}

void FooterView::tick()
{
    // One read at a time: a stalled /proc must not pile up workers.
    if (m_tickInFlight) {
        m_tickAgain = true;
        return;
    }
    launchTick();
}

void FooterView::launchTick()
{
    m_tickInFlight = true;
    m_tickAgain = false;
    auto promise = std::make_shared<QPromise<ResourceFigures>>();
    promise->start();
    m_watcher.setFuture(promise->future());
    QThreadPool::globalInstance()->start([promise, state = m_tickState] {
        promise->addResult(readResourceFigures(state->previous));
        promise->finish();
    });
}

void FooterView::tickFinished()
{
    const QFuture<ResourceFigures> future = m_watcher.future();
    if (!m_tickInFlight || !future.isFinished()) {
        return;
    }
    m_tickInFlight = false;
    if (future.resultCount() > 0) {
        showFigures(future.result());
    }
    if (m_tickAgain && m_dataTimer->isActive()) {
        launchTick();
    }
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
