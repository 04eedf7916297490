// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QWidget>

class QLabel;

// Stands in for a dashboard region that is not built yet: it takes the region's size and shows
// the region's main labels, localised, in the secondary colour.
class RegionPlaceholder : public QWidget
{
    Q_OBJECT

public:
    // framed: draw the soft rounded fill of a grouped box (inset 5 px at the sides) behind it.
    RegionPlaceholder(const QSize &size, const QList<const char *> &keys, bool framed, QWidget *parent = nullptr);

    QSize sizeHint() const override { return m_size; }
    QStringList texts() const;

protected:
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void retranslate();

    QSize m_size;
    bool m_framed;
    QList<const char *> m_keys;
    QList<QLabel *> m_labels;
};
