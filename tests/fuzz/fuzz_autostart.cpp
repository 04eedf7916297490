// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Any autostart entry is read without harm; an entry written for any program path reads back
// as registered, and removing it reads back as not registered. Every input is read from the
// file and its entry text made; one in eight also goes through the synced save and the removal.
#include "FuzzSupport.h"
#include "platform/AutostartEntry.h"

#include <QDir>
#include <QHash>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString home = [] {
        const QString path = Fuzz::scratch().path();
        FUZZ_CHECK(QDir().mkpath(path + QStringLiteral("/autostart")));
        return path;
    }();
    AutostartEntry entry(QStringLiteral("org.tavlo.Fuzz"), home, {});
    const QByteArray bytes = Fuzz::bytes(data, size);
    FUZZ_CHECK(Fuzz::writeFile(entry.userEntryPath(), bytes));
    (void)entry.isRegistered();

    const QString program = QStringLiteral("/opt/") + QString::fromUtf8(bytes.left(200));
    FUZZ_CHECK(entry.entryText(program, QStringLiteral("Tavlo"), QStringLiteral("x")).count(u'\n') == 8);
    if (qHash(bytes, 0) % 8 != 0)
        return 0;
    FUZZ_CHECK(entry.setRegistered(true, program, QStringLiteral("Tavlo"), QStringLiteral("org.tavlo.Tavlo")));
    FUZZ_CHECK(entry.isRegistered());
    FUZZ_CHECK(entry.setRegistered(false, program, QStringLiteral("Tavlo"), QStringLiteral("org.tavlo.Tavlo")));
    FUZZ_CHECK(!entry.isRegistered());
    return 0;
}
