// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Any preferences.json: writing one setting leaves every other stored key as it was, and
// what was written reads back.
#include "FuzzSupport.h"
#include "preferences/PreferenceFile.h"

#include <QDir>
#include <QJsonDocument>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString dir = Fuzz::scratch().path();
    const QByteArray bytes = Fuzz::bytes(data, size);
    FUZZ_CHECK(Fuzz::writeFile(dir + QStringLiteral("/preferences.json"), bytes));
    const QJsonDocument stored = QJsonDocument::fromJson(bytes);
    const QString key = QStringLiteral("set_show_ip");
    {
        PreferenceFile preferences(dir);
        FUZZ_CHECK(preferences.setValue(key, size % 2 == 0));
    }
    const PreferenceFile reread(dir);
    FUZZ_CHECK(reread.value(key) == QJsonValue(size % 2 == 0));
    const QJsonObject before = stored.object();
    for (auto it = before.begin(); it != before.end(); ++it) {
        if (it.key() != key)
            FUZZ_CHECK(reread.value(it.key()) == it.value());
    }
    // An unreadable file was moved aside; the next input starts clean.
    for (const QString &aside : QDir(dir).entryList({ QStringLiteral("preferences.json.bad-*") }, QDir::Files))
        QFile::remove(dir + u'/' + aside);
    return 0;
}
