// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <optional>

class PreferenceManager;

// One of the small windows the footer opens: a titled top-level window around one content view,
// its title the localised heading and its icon the application's. It cannot be resized or
// maximised, only closed and minimised. A drag on its background moves it, its frame is kept in
// the preferences under its frame name, and it is deleted once closed.
class AuxiliaryWindow : public QWidget
{
    Q_OBJECT

public:
    // size: the content size; the window grows taller when its content needs more room in the
    // current language, and never narrower or shorter.
    AuxiliaryWindow(QWidget *content, const QSize &size, const char *titleKey, const QString &frameName,
        PreferenceManager *preference, bool closesOnEscape);
    ~AuxiliaryWindow() override;

    QWidget *content() const { return m_content; }
    QString frameName() const { return m_frameName; }
    QSize statedSize() const { return m_statedSize; }

    // Centres the window on the available area of `screen` (null: the screen under the pointer).
    void centreOn(QScreen *screen);

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void retranslate();
    void fitContent();
    void saveFrame();

    QWidget *m_content;
    QSize m_statedSize;
    const char *m_titleKey;
    QString m_frameName;
    PreferenceManager *m_preference;
    bool m_closesOnEscape;
    // Moves come in bursts while the window is dragged; the frame is written once they stop.
    QTimer m_saveTimer;
    // Dragging by hand where the window manager offers no move of its own.
    std::optional<QPoint> m_dragOffset;
};
