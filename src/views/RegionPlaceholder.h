// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QMargins>
#include <QWidget>
#include <optional>

class QLabel;

// Stands in for a dashboard region that is not built yet: it takes the region's size and shows
// the region's main labels, localised, in the secondary colour.
class RegionPlaceholder : public QWidget
{
    Q_OBJECT

public:
    // frame: where to draw the soft rounded fill of a grouped box behind the labels, as insets
    // from the region's edges; none for a region that sits in a box already.
    RegionPlaceholder(
        const QSize &size, const QList<const char *> &keys, std::optional<QMargins> frame, QWidget *parent = nullptr);

    QSize sizeHint() const override { return m_size; }
    QStringList texts() const;

protected:
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void retranslate();

    QSize m_size;
    std::optional<QMargins> m_frame;
    QList<const char *> m_keys;
    QList<QLabel *> m_labels;
};
