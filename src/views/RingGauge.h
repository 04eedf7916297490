// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QRectF>
#include <QString>
#include <QWidget>

class QPainter;

// A ring gauge: a faint full track, the share as an arc from the top going clockwise, and the
// share's text upright in the middle. Used by the battery section and the resource cards.
class RingGauge : public QWidget
{
    Q_OBJECT

public:
    static constexpr qreal kDiameter = 62.5;
    static constexpr qreal kLineWidth = 5.0;

    explicit RingGauge(QWidget *parent = nullptr);

    // share is clamped to 0…1 for the arc; the text is shown as given.
    void setValue(double share, const QString &text);

    QSize sizeHint() const override;

    // Draws the ring centred in `box`, in `colour`, with the text in its middle.
    static void paint(QPainter &painter, const QRectF &box, double share, const QString &text, const QColor &colour);
    // The ring alone: the faint track, the arc, or both.
    enum class Part
    {
        Track = 1,
        Arc = 2,
        Both = 3,
    };
    static void paintRing(
        QPainter &painter, const QRectF &box, double share, const QColor &colour, Part part = Part::Both);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double m_share = 0;
    QString m_text;
};
