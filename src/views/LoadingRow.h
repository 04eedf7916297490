// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QTimer;

// A small spinning indicator, turning only while it is shown.
class BusyIndicator : public QWidget
{
    Q_OBJECT

public:
    explicit BusyIndicator(int diameter, QWidget *parent = nullptr);

    QSize sizeHint() const override { return { m_diameter, m_diameter }; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    int m_diameter;
    int m_step = 0;
    QTimer *m_timer;
};

// What a box of the hardware card shows while the report runs: the indicator and "loading".
class LoadingRow : public QWidget
{
    Q_OBJECT

public:
    explicit LoadingRow(QWidget *parent = nullptr);

    QString text() const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QLabel *m_label;
};
