// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Any preferences.json: writing one setting leaves every other stored key as it was, and
// what was written reads back. Every input makes the trip through the parser and the writer in
// memory; one in sixteen also through the file itself, whose synced save bounds the pace.
#include "FuzzSupport.h"
#include "preferences/PreferenceFile.h"

#include <QFile>
#include <QHash>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = Fuzz::bytes(data, size);
    const QString key = QStringLiteral("set_show_ip");
    const QJsonValue setting(size % 2 == 0);
    // A file that is not a JSON object is moved aside and the store starts empty.
    const QJsonObject before = PreferenceFile::parse(bytes).value_or(QJsonObject());

    QJsonObject expected = before;
    expected.insert(key, setting);
    FUZZ_CHECK(PreferenceFile::parse(PreferenceFile::serialise(expected)) == expected);
    if (qHash(bytes, 0) % 16 != 0)
        return 0;

    static const QString dir = Fuzz::scratch().path();
    FUZZ_CHECK(Fuzz::writeFile(dir + QStringLiteral("/preferences.json"), bytes));
    QString aside;
    {
        PreferenceFile preferences(dir);
        FUZZ_CHECK(preferences.setValue(key, setting));
        aside = preferences.setAsidePath();
    }
    const PreferenceFile reread(dir);
    for (auto it = expected.begin(); it != expected.end(); ++it)
        FUZZ_CHECK(reread.value(it.key()) == it.value());
    // An unreadable file was moved aside; the next input starts clean.
    FUZZ_CHECK(aside.isEmpty() || QFile::remove(aside));
    return 0;
}
