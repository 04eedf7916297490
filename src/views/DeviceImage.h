// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QWidget>

// The picture of this kind of computer ("iMac", "MacBookPro", "macmini", "macpro"), drawn at
// the screen's pixel density.
class DeviceImage : public QWidget
{
    Q_OBJECT

public:
    DeviceImage(qreal side, QWidget *parent = nullptr);

    void setName(const QString &name);
    QString name() const { return m_name; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    qreal m_side;
    QString m_name;
    QPixmap m_cache;
    qreal m_cacheRatio = 0.0;
};
