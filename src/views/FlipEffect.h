// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTransform>

// Turns a card about its vertical centre line. The owner animates `angle` (degrees) between 0
// and 180; the effect reports which face should be shown through a deferred write of
// `flipped`, posted while a frame is drawn and run after it.
class FlipEffect : public QObject
{
    Q_OBJECT

public:
    explicit FlipEffect(QObject *parent = nullptr);

    // The face the angle calls for: from a quarter turn (included) to three quarters (excluded).
    static bool flippedAt(double angle);
    // The angle the card is drawn at: the back face is turned by half a turn so it never reads
    // mirrored.
    static double displayedAngle(double angle, bool flipped);
    // The drawing transform for a w × h card at `angle`, given the face currently shown. There
    // is no perspective: the turn is a horizontal squeeze by the cosine of the displayed angle.
    static QTransform transform(double angle, bool flipped, qreal width, qreal height);

    bool flipped() const { return m_flipped; }
    // For the first frame, so that a card resting on its back face is not drawn mirrored once.
    void setFlipped(bool flipped);

    // Called while drawing a frame: the transform for the face shown now, and a queued write
    // of the face this angle calls for.
    QTransform effectValue(double angle, qreal width, qreal height);

signals:
    void flippedChanged(bool flipped);

private:
    bool m_flipped = false;
};
