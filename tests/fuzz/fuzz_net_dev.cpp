// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Any <proc>/net/dev: the counter report has a header and rows of the same width, each
// ending in two counters. Every input is reported from memory; one in sixteen also through
// the file and the arguments, which must give the same report.
#include "FuzzSupport.h"
#include "network/NettopSample.h"

#include <QDir>
#include <QHash>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QStringList arguments { QStringLiteral("-x"), QStringLiteral("-J"),
        QStringLiteral("bytes_in,bytes_out") };
    static const NettopOptions options = [] {
        const auto parsed = parseNettopArguments(arguments);
        FUZZ_CHECK(parsed.has_value());
        return *parsed;
    }();
    const QByteArray bytes = Fuzz::bytes(data, size);
    NettopProducer producer({ QStringLiteral("/nonexistent"), QStringLiteral("/nonexistent") });
    const QString report = producer.sampleOf(std::string_view(bytes.constData(), std::size_t(bytes.size())), options);
    const QStringList lines = report.split(u'\n', Qt::SkipEmptyParts);
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
    if (qHash(bytes, 0) % 16 != 0)
        return 0;

    static const QString proc = [] {
        const QString root = Fuzz::scratch().path() + QStringLiteral("/proc");
        FUZZ_CHECK(QDir().mkpath(root + QStringLiteral("/net")));
        return root;
    }();
    FUZZ_CHECK(Fuzz::writeFile(proc + QStringLiteral("/net/dev"), bytes));
    NettopProducer fromFile({ proc, QStringLiteral("/nonexistent") });
    FUZZ_CHECK(fromFile.sample(arguments) == report);
    return 0;
}
