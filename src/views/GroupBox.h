// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// The grouped box of the dashboard: a softly filled rounded rectangle with a hairline border,
// in the colours of the current scheme. Put the content in its layout (4 px margins).
class GroupBox : public QWidget
{
    Q_OBJECT

public:
    explicit GroupBox(QWidget *parent = nullptr);

    // Wraps `content` in a new box.
    static GroupBox *around(QWidget *content, QWidget *parent = nullptr);

    static constexpr int kMargin = 4;
    static constexpr qreal kRadius = 8.0;

protected:
    void paintEvent(QPaintEvent *event) override;
};
