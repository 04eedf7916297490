// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// A monitor plugged into a DRM connector (/sys/class/drm/cardN-<type>-<n>, status "connected").
struct DrmDisplay
{
    QString connector; // "eDP-1", "HDMI-A-2", "DP-3"
    std::optional<QString> monitorName; // from the EDID's name descriptor
    std::optional<QString> resolution; // the preferred mode, "2560 x 1440"
    bool internal = false; // a laptop panel (eDP, LVDS, DSI)
};

struct DrmCard
{
    QString name; // "card0"
    std::optional<QString> driver; // "i915", "amdgpu", "vc4-drm"
    std::optional<QString> pciId; // "8086:9A49"
    QList<DrmDisplay> displays;
};

class DrmConnectorReader
{
public:
    explicit DrmConnectorReader(const QString &sysRoot = QStringLiteral("/sys"));

    QList<DrmCard> cards() const;

    // The monitor name (descriptor tag 0xFC) of an EDID base block; nothing when the block is
    // short, its header wrong or it names no monitor.
    static std::optional<QString> edidMonitorName(const QByteArray &edid);

private:
    QString m_dir;
};
