// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Any <proc>/net/dev: the counter report has a header and rows of the same width, each
// ending in two counters.
#include "FuzzSupport.h"
#include "network/NettopSample.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString proc = [] {
        const QString root = Fuzz::scratch().path() + QStringLiteral("/proc");
        FUZZ_CHECK(QDir().mkpath(root + QStringLiteral("/net")));
        return root;
    }();
    FUZZ_CHECK(Fuzz::writeFile(proc + QStringLiteral("/net/dev"), Fuzz::bytes(data, size)));
    NettopProducer producer({ proc, QStringLiteral("/nonexistent") });
    const QStringList lines
        = producer
              .sample(QStringList { QStringLiteral("-x"), QStringLiteral("-J"), QStringLiteral("bytes_in,bytes_out") })
              .split(u'\n', Qt::SkipEmptyParts);
    FUZZ_CHECK(!lines.isEmpty());
    for (const QString &line : lines) {
        FUZZ_CHECK(line.size() == lines.first().size());
        if (&line == &lines.first())
            continue;
        const QStringList fields = line.split(u' ', Qt::SkipEmptyParts);
        bool in = false;
        bool out = false;
        fields.at(fields.size() - 2).toULongLong(&in);
        fields.last().toULongLong(&out);
        FUZZ_CHECK(fields.size() >= 3 && in && out);
    }
    return 0;
}
