// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusBarController.h"

#include "MouseEventManager.h"
#include "PanelPicture.h"
#include "TavloConfig.h"
#include "platform/DBusMenu.h"
#include "platform/PanelItem.h"
#include "platform/PopoverWindow.h"
#include "platform/X11PanelLocator.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QMutexLocker>
#include <QWidget>
#include <utility>

namespace {
// A click on the panel item first takes the focus from the dashboard (which closes it as
// an outside click) and then reaches the item; that second half must not open it again.
constexpr qint64 reopenGuardMs = 300;
} // namespace

StatusBarController::StatusBarController(PopoverWindow *popOver, QObject *parent)
    : QObject(parent)
    , m_popOver(popOver)
{
    m_title = makeStatusTitle(QLatin1String(statusTitlePlaceholder), QLatin1String(statusTitlePlaceholder));
    m_postedUpload = m_title.upload;
    m_postedDownload = m_title.download;
    m_statusItem = std::make_unique<PanelItem>(
        QStringLiteral(TAVLO_APP_ID), [this](QSize size, qreal ratio) { return picture(size, ratio); });
    connect(m_statusItem.get(), &PanelItem::activated, this, &StatusBarController::statusItemBtnClick);
    // Hosts that open the menu on any click (Ayatana's indicators) never send Activate, and once
    // the menu's entry opens the dashboard the pointer is on the menu: where it was as the menu
    // opened is on the item.
    connect(m_statusItem->menu(), &DBusMenu::aboutToOpen, this,
        [this] { m_menuOpenedAt = (QPointF(QCursor::pos()) * qGuiApp->devicePixelRatio()).toPoint(); });
    publishTexts();
    updateMenu();
    m_statusItem->start();

    m_mouseManager = std::make_unique<MouseEventManager>(
        m_popOver, Qt::LeftButton | Qt::RightButton, [this](const std::optional<MouseEventManager::Click> &) {
            m_sinceOutsideClose.start();
            hidePopover();
        });

    // Every top-level window of the application that closes closes the dashboard too.
    qApp->installEventFilter(this);
}

StatusBarController::~StatusBarController()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

QImage StatusBarController::picture(QSize logicalSize, qreal devicePixelRatio) const
{
    return PanelPicture::render(m_title, logicalSize, devicePixelRatio, m_highlighted, PanelPicture::paletteColors());
}

QString StatusBarController::toolTipText() const
{
    return m_title.uploadLine().trimmed() + QLatin1Char('\n') + m_title.downloadLine().trimmed();
}

QString StatusBarController::accessibleName() const
{
    return QStringLiteral(TAVLO_DISPLAY_NAME ": ") + m_title.uploadLine().trimmed() + QStringLiteral(", ")
        + m_title.downloadLine().trimmed();
}

void StatusBarController::updateTitle(const QString &upload, const QString &download)
{
    {
        // Most ticks on an idle machine repeat the last rates; they need not wake the main
        // thread at all, nor build a title (its font is looked up each time).
        const QMutexLocker locker(&m_postedMutex);
        if (upload == m_postedUpload && download == m_postedDownload)
            return;
        m_postedUpload = upload;
        m_postedDownload = download;
    }
    QMetaObject::invokeMethod(
        this, [this, title = makeStatusTitle(upload, download)] { applyTitle(title); }, Qt::QueuedConnection);
}

void StatusBarController::applyTitle(const StatusTitle &title)
{
    // Most ticks on an idle machine repeat the last rates: nothing to redraw or announce.
    if (title.text == m_title.text)
        return;
    // The picture shows the rates rounded to whole units: most changes leave it as it is.
    const bool pictureChanged = PanelPicture::compactRate(title.upload) != PanelPicture::compactRate(m_title.upload)
        || PanelPicture::compactRate(title.download) != PanelPicture::compactRate(m_title.download);
    m_title = title;
    if (pictureChanged)
        m_statusItem->repaint();
    publishTexts();
    Q_EMIT titleChanged();
}

void StatusBarController::publishTexts()
{
    m_statusItem->setTexts(QStringLiteral(TAVLO_DISPLAY_NAME), toolTipText(), accessibleName(),
        statusLabel(m_title.upload, m_title.download), statusLabelGuide());
}

void StatusBarController::setAuxiliaryWindows(std::function<void()> openSettings, std::function<void()> openAbout)
{
    m_openSettings = std::move(openSettings);
    m_openAbout = std::move(openAbout);
    updateMenu();
}

void StatusBarController::updateMenu()
{
    QList<DBusMenu::Entry> entries;
    //: The panel item's menu: opens the dashboard, as a left click on the item does.
    entries.append({ qtTrId("Menu_Open_Dashboard"), [this] {
                        if (!m_popOver->isVisible())
                            showPopover(m_menuOpenedAt);
                    } });
    entries.append(DBusMenu::Entry {});
    if (m_openSettings)
        entries.append({ qtTrId("Setting_Btn_Title") + QChar(0x2026), m_openSettings });
    if (m_openAbout)
        entries.append({ qtTrId("Menu_About"), m_openAbout });
    if (m_openSettings || m_openAbout)
        entries.append(DBusMenu::Entry {});
    entries.append({ qtTrId("Quit_Btn_Title"), [] { QCoreApplication::quit(); } });
    m_statusItem->setMenu(entries);
}

void StatusBarController::statusItemBtnClick(QPoint position)
{
    if (m_popOver->isVisible()) {
        hidePopover();
        return;
    }
    if (m_sinceOutsideClose.isValid() && m_sinceOutsideClose.elapsed() < reopenGuardMs)
        return;
    showPopover(position);
}

void StatusBarController::showPopover(QPoint position)
{
    m_popOver->showAt(anchorFor(position));
    QMetaObject::invokeMethod(
        this, [this] { setHighlighted(true); }, Qt::QueuedConnection);
    if (m_mouseManager)
        m_mouseManager->start();
}

QRect StatusBarController::anchorFor(QPoint position) const
{
    // The XEmbed tray tells where the icon is.
    if (const QRect item = m_statusItem->geometry(); item.isValid())
        return item;
    // On Wayland the host's point is all there is: a client never learns where the pointer is
    // outside its own windows.
    if (!position.isNull() && QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return QRect(position, QSize(1, 1));
    // StatusNotifierItem hosts pass a point, in the X server's pixels, but not all of them
    // the point on the screen: MATE's notification area passes one relative to its applet.
    // The pointer, right after the click, is on the item whatever the host says.
    const QPoint pointer = QCursor::pos();
    const QPoint nativePointer = (QPointF(pointer) * qGuiApp->devicePixelRatio()).toPoint();
    if (const auto strip = X11PanelLocator::panelStripAt(nativePointer))
        return *strip;
    if (!position.isNull())
        if (const auto strip = X11PanelLocator::panelStripAt(position))
            return *strip;
    return QRect(pointer, QSize(1, 1));
}

void StatusBarController::hidePopover()
{
    m_popOver->hide();
    QMetaObject::invokeMethod(
        this, [this] { setHighlighted(false); }, Qt::QueuedConnection);
    if (m_mouseManager)
        m_mouseManager->stop();
}

void StatusBarController::configWindowWillClose()
{
    hidePopover();
}

void StatusBarController::setHighlighted(bool highlighted)
{
    if (highlighted == m_highlighted)
        return;
    m_highlighted = highlighted;
    m_statusItem->repaint();
    Q_EMIT highlightChanged(highlighted);
}

bool StatusBarController::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::LanguageChange && watched == qApp)
        updateMenu();
    if (event->type() == QEvent::Close) {
        const auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget->isWindow() && m_popOver->isVisible())
            configWindowWillClose();
    }
    return QObject::eventFilter(watched, event);
}
