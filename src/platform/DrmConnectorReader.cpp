// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrmConnectorReader.h"

#include "SysInfoFile.h"

#include <QRegularExpression>
#include <algorithm>

DrmConnectorReader::DrmConnectorReader(const QString &sysRoot)
    : m_dir(sysRoot + QStringLiteral("/class/drm"))
{ }

std::optional<QString> DrmConnectorReader::edidMonitorName(const QByteArray &edid)
{
    static const QByteArray header = QByteArray::fromHex("00ffffffffffff00");
    if (edid.size() < 128 || !edid.startsWith(header))
        return std::nullopt;
    // Four 18-byte descriptors follow the fixed fields; display descriptors start 00 00 00 <tag>.
    for (int offset = 54; offset <= 108; offset += 18) {
        const auto byte = [&edid, offset](int i) { return quint8(edid.at(offset + i)); };
        if (byte(0) != 0 || byte(1) != 0 || byte(2) != 0 || byte(3) != 0xfc)
            continue;
        QByteArray text = edid.mid(offset + 5, 13);
        const qsizetype newline = text.indexOf('\n');
        if (newline >= 0)
            text.truncate(newline);
        // The descriptor is code page 437 by the standard; monitor names keep to ASCII.
        QString name;
        for (char c : std::as_const(text))
            name.append(quint8(c) >= 0x20 && quint8(c) < 0x7f ? QChar::fromLatin1(c) : QChar(u' '));
        name = name.simplified();
        if (!name.isEmpty())
            return name;
    }
    return std::nullopt;
}

QList<DrmCard> DrmConnectorReader::cards() const
{
    static const QRegularExpression cardName(QStringLiteral("^card(\\d+)$"));
    static const QRegularExpression modeLine(QStringLiteral("^(\\d+)x(\\d+)"));
    QList<DrmCard> cards;
    const QStringList entries = SysInfoFile::entries(m_dir);
    for (const QString &entry : entries) {
        if (!cardName.match(entry).hasMatch())
            continue;
        DrmCard card;
        card.name = entry;
        if (const auto uevent = SysInfoFile::read(m_dir + u'/' + entry + QStringLiteral("/device/uevent"), 16 * 1024)) {
            for (const QByteArray &line : uevent->split('\n')) {
                if (line.startsWith("DRIVER="))
                    card.driver = SysInfoFile::printable(QString::fromUtf8(line.mid(7)));
                else if (line.startsWith("PCI_ID="))
                    card.pciId = SysInfoFile::printable(QString::fromUtf8(line.mid(7))).toUpper();
            }
            if (card.driver && card.driver->isEmpty())
                card.driver.reset();
        }

        const QString prefix = entry + u'-';
        for (const QString &connector : entries) {
            if (!connector.startsWith(prefix))
                continue;
            const QString dir = m_dir + u'/' + connector + u'/';
            if (SysInfoFile::readTrimmed(dir + QStringLiteral("status")) != QLatin1String("connected"))
                continue;
            DrmDisplay display;
            display.connector = connector.mid(prefix.size());
            display.internal = display.connector.startsWith(QLatin1String("eDP"))
                || display.connector.startsWith(QLatin1String("LVDS"))
                || display.connector.startsWith(QLatin1String("DSI"));
            if (const auto edid = SysInfoFile::read(dir + QStringLiteral("edid"), 32 * 1024))
                display.monitorName = edidMonitorName(*edid);
            // The kernel lists the preferred mode first.
            if (const auto modes = SysInfoFile::readTrimmed(dir + QStringLiteral("modes"))) {
                const auto match = modeLine.match(*modes);
                if (match.hasMatch())
                    display.resolution = match.captured(1) + QStringLiteral(" x ") + match.captured(2);
            }
            card.displays.append(display);
        }
        // The built-in panel first: it is the main display of a laptop.
        std::stable_partition(
            card.displays.begin(), card.displays.end(), [](const DrmDisplay &display) { return display.internal; });
        cards.append(card);
    }
    return cards;
}
