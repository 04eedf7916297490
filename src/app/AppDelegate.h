// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <memory>

class LogindSleepMonitor;
class NetworkSpeedManager;
class PopoverWindow;
class StatusBarController;
class TerminationSignals;

// Builds the application once the event loop runs: the dashboard window, the panel item,
// the sampler that feeds it, and the sleep and wake handling. Owns all of them until exit.
class AppDelegate : public QObject
{
    Q_OBJECT

public:
    // systemBus is where logind announces sleep and wake.
    explicit AppDelegate(QDBusConnection systemBus = QDBusConnection::systemBus(), QObject *parent = nullptr);
    ~AppDelegate() override;

    void applicationDidFinishLaunching();
    void ComputerOnWake();
    void ComputerOnSleep();
    // Opens the dashboard at the panel item, as a click on it would; nothing if it is open.
    void showDashboard();
    // Open a new Settings or About window on the screen under the pointer, as the dashboard's
    // footer buttons do; for the panel item's menu.
    void openSettingsWindow();
    void openAboutWindow();

    PopoverWindow *popOver() const { return m_popOver.get(); }
    StatusBarController *statusBarController() const { return m_statusBarController.get(); }
    NetworkSpeedManager *netManager() const { return m_netManager.get(); }
    LogindSleepMonitor *sleepMonitor() const { return m_sleepMonitor.get(); }
    TerminationSignals *terminationSignals() const { return m_terminationSignals; }

private:
    void setupPopover();
    void registerSleepWakeObservers();

    QDBusConnection m_systemBus;
    // The session ending (SIGHUP, SIGTERM) or Ctrl+C quits the event loop like the Quit
    // button, so everything below is torn down in order and the process ends with status 0.
    TerminationSignals *m_terminationSignals;
    std::unique_ptr<PopoverWindow> m_popOver;
    // Destroyed in reverse order: the sampler's worker thread calls into the controller, so
    // the sampler has to be gone before the controller is.
    std::unique_ptr<StatusBarController> m_statusBarController;
    std::unique_ptr<NetworkSpeedManager> m_netManager;
    std::unique_ptr<LogindSleepMonitor> m_sleepMonitor;
};
