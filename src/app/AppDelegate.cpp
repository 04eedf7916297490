// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppDelegate.h"

#include "StatusBarController.h"
#include "network/NetworkSpeedManager.h"
#include "platform/LogindSleepMonitor.h"
#include "platform/PopoverWindow.h"
#include "platform/TerminationSignals.h"
#include "preferences/PreferenceManager.h"
#include "views/ContentView.h"
#include "views/FunctionView.h"

#include <QCoreApplication>
#include <QWidget>
#include <utility>

AppDelegate::AppDelegate(QDBusConnection systemBus, QObject *parent)
    : QObject(parent)
    , m_systemBus(std::move(systemBus))
    , m_terminationSignals(new TerminationSignals(this))
    , m_popOver(std::make_unique<PopoverWindow>())
{
    connect(m_terminationSignals, &TerminationSignals::received, this, [] { QCoreApplication::quit(); });
}

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
    // The window paints the palette's window colour beneath the dashboard, which shows
    // through where the chosen background is transparent.
    m_popOver->setAutoFillBackground(true);
    m_popOver->setContent(new ContentView(PreferenceManager::shared()));

    m_statusBarController = std::make_unique<StatusBarController>(m_popOver.get());
    m_statusBarController->setAuxiliaryWindows([this] { openSettingsWindow(); }, [this] { openAboutWindow(); });
    m_netManager = std::make_unique<NetworkSpeedManager>(m_statusBarController.get());
}

void AppDelegate::registerSleepWakeObservers()
{
    m_sleepMonitor = std::make_unique<LogindSleepMonitor>(m_systemBus);
    connect(m_sleepMonitor.get(), &LogindSleepMonitor::aboutToSleep, this, &AppDelegate::ComputerOnSleep);
    connect(m_sleepMonitor.get(), &LogindSleepMonitor::resumed, this, &AppDelegate::ComputerOnWake);
}

void AppDelegate::showDashboard()
{
    if (m_statusBarController && m_popOver && !m_popOver->isVisible())
        m_statusBarController->statusItemBtnClick();
}

void AppDelegate::openSettingsWindow()
{
    FunctionView::openAuxiliaryWindow(CustomWindow::Kind::Setting);
}

void AppDelegate::openAboutWindow()
{
    FunctionView::openAuxiliaryWindow(CustomWindow::Kind::About);
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
