// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AuxiliaryWindow.h"

#include "AppearanceController.h"
#include "preferences/PreferenceManager.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>

namespace {
constexpr int kFrameSaveDelayMs = 400;
} // namespace

AuxiliaryWindow::AuxiliaryWindow(QWidget *content, const QSize &size, const char *titleKey, const QString &frameName,
    PreferenceManager *preference, bool closesOnEscape)
    : QWidget(nullptr,
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_content(content)
    , m_statedSize(size)
    , m_titleKey(titleKey)
    , m_frameName(frameName)
    , m_preference(preference)
    , m_closesOnEscape(closesOnEscape)
{
    setObjectName(frameName);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/images/aboutUs.svg")));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_content);
    m_saveTimer.setSingleShot(true);
    m_saveTimer.setInterval(kFrameSaveDelayMs);
    connect(&m_saveTimer, &QTimer::timeout, this, &AuxiliaryWindow::saveFrame);
    retranslate();
}

AuxiliaryWindow::~AuxiliaryWindow()
{
    // Quitting deletes the open windows; a move not written yet is written now.
    if (m_saveTimer.isActive()) {
        saveFrame();
    }
}

void AuxiliaryWindow::retranslate()
{
    setWindowTitle(qtTrId(m_titleKey));
    setLocale(AppearanceController::locale(m_preference->setApplanguage()));
    fitContent();
}

void AuxiliaryWindow::fitContent()
{
    // Wrapped notes grow downwards: the width stays, the height follows the longest language.
    // Measured on the content's own layout, activated afresh so that no cached height of the
    // old texts is used; the window's layout adds no margins.
    const int width = m_statedSize.width();
    int height = m_statedSize.height();
    if (QLayout *inner = m_content->layout()) {
        inner->invalidate();
        inner->activate();
        height = std::max(
            height, inner->hasHeightForWidth() ? inner->totalHeightForWidth(width) : inner->totalSizeHint().height());
    }
    setFixedSize(width, height);
}

void AuxiliaryWindow::centreOn(QScreen *screen)
{
    if (!screen) {
        screen = QGuiApplication::screenAt(QCursor::pos());
    }
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen) {
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
    }
}

void AuxiliaryWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        // The content relabels itself on the same event; measure once it has.
        QMetaObject::invokeMethod(this, &AuxiliaryWindow::retranslate, Qt::QueuedConnection);
    } else if (event->type() == QEvent::FontChange) {
        QMetaObject::invokeMethod(this, &AuxiliaryWindow::fitContent, Qt::QueuedConnection);
    }
}

void AuxiliaryWindow::keyPressEvent(QKeyEvent *event)
{
    if (m_closesOnEscape && event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void AuxiliaryWindow::mousePressEvent(QMouseEvent *event)
{
    // Presses that no control took land here: the background.
    if (event->button() == Qt::LeftButton) {
        if (windowHandle() && windowHandle()->startSystemMove()) {
            event->accept();
            return;
        }
        m_dragOffset = event->globalPosition().toPoint() - pos();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void AuxiliaryWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragOffset && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - *m_dragOffset);
        event->accept();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void AuxiliaryWindow::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragOffset.reset();
    QWidget::mouseReleaseEvent(event);
}

void AuxiliaryWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    if (isVisible()) {
        m_saveTimer.start();
    }
}

void AuxiliaryWindow::closeEvent(QCloseEvent *event)
{
    m_saveTimer.stop();
    saveFrame();
    QWidget::closeEvent(event);
}

void AuxiliaryWindow::saveFrame()
{
    m_preference->setWindowFrame(m_frameName, frameGeometry());
}
