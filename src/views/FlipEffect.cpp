// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FlipEffect.h"

#include <QMatrix4x4>
#include <QMetaObject>
#include <QtMath>

FlipEffect::FlipEffect(QObject *parent)
    : QObject(parent)
{ }

bool FlipEffect::flippedAt(double angle)
{
    return angle >= 90.0 && angle < 270.0;
}

double FlipEffect::displayedAngle(double angle, bool flipped)
{
    return flipped ? angle - 180.0 : angle;
}

QTransform FlipEffect::transform(double angle, bool flipped, qreal width, qreal height)
{
    // Rotation about the y axis of a card first moved to put its centre at the origin.
    QMatrix4x4 turn;
    turn.rotate(float(displayedAngle(angle, flipped)), 0.0F, 1.0F, 0.0F);
    turn.translate(float(-width / 2), float(-height / 2), 0.0F);
    // Flattened to 3 × 3 by dropping z's row and column. QMatrix4x4 maps column vectors,
    // QTransform row vectors, hence (row, column) read transposed.
    const QTransform flat(
        turn(0, 0), turn(1, 0), turn(3, 0), turn(0, 1), turn(1, 1), turn(3, 1), turn(0, 3), turn(1, 3), turn(3, 3));
    return flat * QTransform::fromTranslate(width / 2, height / 2);
}

void FlipEffect::setFlipped(bool flipped)
{
    if (m_flipped != flipped) {
        m_flipped = flipped;
        emit flippedChanged(flipped);
    }
}

QTransform FlipEffect::effectValue(double angle, qreal width, qreal height)
{
    const bool wanted = flippedAt(angle);
    if (wanted != m_flipped) {
        // Not now: this frame is drawn with the face it started with.
        QMetaObject::invokeMethod(
            this, [this, wanted] { setFlipped(wanted); }, Qt::QueuedConnection);
    }
    return transform(angle, m_flipped, width, height);
}
