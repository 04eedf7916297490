// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "StatusTitle.h"
#include "network/TitleSink.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QObject>
#include <QPoint>
#include <functional>
#include <memory>

class MouseEventManager;
class PanelItem;
class PopoverWindow;

// Owns the panel item: shows the two rates in it, and opens and closes the dashboard window
// when the item is clicked, on an outside click, and whenever another window of the
// application closes. The item's right-click menu opens the dashboard, the Settings and
// About windows (once they are given) and quits.
class StatusBarController : public QObject, public TitleSink
{
    Q_OBJECT
    Q_PROPERTY(bool highlighted READ isHighlighted NOTIFY highlightChanged)

public:
    explicit StatusBarController(PopoverWindow *popOver, QObject *parent = nullptr);
    ~StatusBarController() override;

    // From any thread: the title is built here and applied on the main thread.
    void updateTitle(const QString &upload, const QString &download) override;

    // The item was clicked; position is where, when the host tells.
    void statusItemBtnClick(QPoint position = QPoint());
    void configWindowWillClose();
    // Adds "Settings…" and "About Tavlo" to the item's menu; each opens its window.
    void setAuxiliaryWindows(std::function<void()> openSettings, std::function<void()> openAbout);

    StatusTitle title() const { return m_title; }
    bool isHighlighted() const { return m_highlighted; }
    // The tooltip's text and the item's accessible name: both rates, upload first.
    QString toolTipText() const;
    QString accessibleName() const;
    QImage picture(QSize logicalSize, qreal devicePixelRatio) const;

    PanelItem *statusItem() const { return m_statusItem.get(); }
    MouseEventManager *mouseManager() const { return m_mouseManager.get(); }

Q_SIGNALS:
    void titleChanged();
    void highlightChanged(bool highlighted);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showPopover(QPoint position);
    void hidePopover();
    void applyTitle(const StatusTitle &title);
    void setHighlighted(bool highlighted);
    void publishTexts();
    void updateMenu();
    QRect anchorFor(QPoint position) const;

    PopoverWindow *m_popOver;
    std::unique_ptr<PanelItem> m_statusItem;
    std::unique_ptr<MouseEventManager> m_mouseManager;
    StatusTitle m_title;
    // In the X server's pixels, as hosts pass an activation point.
    QPoint m_menuOpenedAt;
    bool m_highlighted = false;
    std::function<void()> m_openSettings;
    std::function<void()> m_openAbout;
    QElapsedTimer m_sinceOutsideClose;
    // The last rates handed to the main thread, read and written by the sampler's thread.
    QMutex m_postedMutex;
    QString m_postedUpload;
    QString m_postedDownload;
};
