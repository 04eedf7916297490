// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Any autostart entry is read without harm; an entry written for any program path reads back
// as registered, and removing it reads back as not registered. Every input is read in memory
// and its entry text made and read back; one in sixteen also goes through the file, where the
// reading must agree with the one in memory, and through the synced save and the removal.
#include "FuzzSupport.h"
#include "platform/AutostartEntry.h"

#include <QDir>
#include <QHash>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = Fuzz::bytes(data, size);
    const bool enabled = AutostartEntry::isEnabledText(bytes);

    const QString program = QStringLiteral("/opt/") + QString::fromUtf8(bytes.left(200));
    const QString text = AutostartEntry::entryText(program, QStringLiteral("Tavlo"), QStringLiteral("x"));
    FUZZ_CHECK(text.count(u'\n') == 8 && AutostartEntry::isEnabledText(text.toUtf8()));
    if (qHash(bytes, 0) % 16 != 0)
        return 0;

    static const QString home = [] {
        const QString path = Fuzz::scratch().path();
        FUZZ_CHECK(QDir().mkpath(path + QStringLiteral("/autostart")));
        return path;
    }();
    AutostartEntry entry(QStringLiteral("org.tavlo.Fuzz"), home, {});
    FUZZ_CHECK(Fuzz::writeFile(entry.userEntryPath(), bytes));
    FUZZ_CHECK(entry.isRegistered() == enabled);
    FUZZ_CHECK(entry.setRegistered(true, program, QStringLiteral("Tavlo"), QStringLiteral("org.tavlo.Tavlo")));
    FUZZ_CHECK(entry.isRegistered());
    FUZZ_CHECK(entry.setRegistered(false, program, QStringLiteral("Tavlo"), QStringLiteral("org.tavlo.Tavlo")));
    FUZZ_CHECK(!entry.isRegistered());
    return 0;
}
