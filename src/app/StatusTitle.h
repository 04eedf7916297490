// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

// The panel item's title: three lines (the first empty), upload above download, with the
// attributes it is drawn with. Sizes are in logical pixels, the panel's points.
struct StatusTitle
{
    QString text;
    QString upload;
    QString download;
    QFont font;
    Qt::Alignment alignment = Qt::AlignRight;
    qreal baselineOffset = -5.0;
    qreal lineSpacing = 1.5;
    qreal maximumLineHeight = 10.0;

    // The two rate lines as drawn, without the leading empty line.
    QString uploadLine() const;
    QString downloadLine() const;
};

// What both rate lines show until the sampler has published its first rates.
inline constexpr const char *statusTitlePlaceholder = "--Byte/s";

StatusTitle makeStatusTitle(const QString &upload, const QString &download);

// One-line form for hosts that show a text label beside the item, and the widest text that
// label can take, so the host reserves its width once and the neighbours stay put.
QString statusLabel(const QString &upload, const QString &download);
QString statusLabelGuide();
