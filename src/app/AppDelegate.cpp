// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppDelegate.h"

#include "StatusBarController.h"
#include "network/NetworkSpeedManager.h"
#include "platform/LogindSleepMonitor.h"
#include "platform/PopoverWindow.h"

#include <QWidget>
#include <utility>

AppDelegate::AppDelegate(QDBusConnection systemBus, QObject *parent)
    : QObject(parent)
    , m_systemBus(std::move(systemBus))
    , m_popOver(std::make_unique<PopoverWindow>())
{ }

AppDelegate::~AppDelegate()
{
    // Stop the worker before anything it reports to goes away.
    m_netManager.reset();
}

void AppDelegate::applicationDidFinishLaunching()
{
    setupPopover();
    m_netManager->startSampling();
    registerSleepWakeObservers();
}

void AppDelegate::setupPopover()
{
    // The dashboard goes here: take PreferenceManager::shared() and install
    // new ContentView(preference) with m_popOver->setContent(). Until the dashboard exists
    // the window holds an empty frame of the dashboard's size.
    auto *frame = new QWidget;
    frame->setFixedSize(PopoverWindow::contentSize);
    m_popOver->setContent(frame);

    m_statusBarController = std::make_unique<StatusBarController>(m_popOver.get());
    m_netManager = std::make_unique<NetworkSpeedManager>(m_statusBarController.get());
}

void AppDelegate::registerSleepWakeObservers()
{
    m_sleepMonitor = std::make_unique<LogindSleepMonitor>(m_systemBus);
    connect(m_sleepMonitor.get(), &LogindSleepMonitor::aboutToSleep, this, &AppDelegate::ComputerOnSleep);
    connect(m_sleepMonitor.get(), &LogindSleepMonitor::resumed, this, &AppDelegate::ComputerOnWake);
}

void AppDelegate::ComputerOnWake()
{
    if (m_netManager)
        m_netManager->startSampling();
}

void AppDelegate::ComputerOnSleep()
{
    if (m_netManager)
        m_netManager->stopSampling();
}
