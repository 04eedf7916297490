// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

// A property that does not hold is a finding like a crash: report it and stop.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);                     \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

namespace Fuzz {

inline QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// The first byte picks where the rest is cut in two; the property tests compare both ways.
struct Split
{
    QByteArray whole;
    qsizetype at = 0;
    QByteArray first() const { return whole.left(at); }
    QByteArray second() const { return whole.mid(at); }
};

inline Split split(const uint8_t *data, size_t size)
{
    if (size == 0)
        return {};
    const QByteArray rest = bytes(data + 1, size - 1);
    return { rest, rest.isEmpty() ? 0 : data[0] % (rest.size() + 1) };
}

// A private folder for readers that take a file, made once and kept for the whole run. It lives
// in memory (the runtime folder or /dev/shm) where there is one: the targets rewrite their files
// on every input, and a synced save on a disk would bound the run at a few hundred inputs a second.
inline const QTemporaryDir &scratch()
{
    // Removed again when the run ends (a run stopped by a finding leaves it for a look).
    static const std::unique_ptr<QTemporaryDir> dir = [] {
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        for (const QString &base : { runtime, QStringLiteral("/dev/shm") }) {
            if (base.isEmpty() || !QFileInfo(base).isWritable())
                continue;
            auto inMemory = std::make_unique<QTemporaryDir>(base + QStringLiteral("/tavlo-fuzz-XXXXXX"));
            if (inMemory->isValid())
                return inMemory;
        }
        return std::make_unique<QTemporaryDir>();
    }();
    FUZZ_CHECK(dir->isValid());
    return *dir;
}

inline bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

// A step of the panel's unit ladder: "0  b/s", "512  b/s", "0.98 Kb/s" ... "1000.0 Gb/s" (a tier top, rounded), "max
// /s".
inline bool isLadderStep(const QString &text)
{
    static const QRegularExpression ladder(
        QStringLiteral("\\A(?:0|[1-9]\\d{1,2})  b/s\\z|\\A\\d{1,4}\\.\\d{1,2} [KMG]b/s\\z|\\Amax /s\\z"));
    return ladder.match(text).hasMatch();
}

// No control or formatting characters and valid UTF-16: safe to show as one line of text.
inline bool isPlainLine(QStringView text)
{
    return text.isValidUtf16() && std::none_of(text.begin(), text.end(), [](QChar c) {
        return c.category() == QChar::Other_Control || c.category() == QChar::Other_Format || c == u'\n';
    });
}

} // namespace Fuzz
