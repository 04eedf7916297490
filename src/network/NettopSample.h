// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "NettopOptions.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Where the interface counters and the interface attributes are read from.
struct NettopRoots
{
    QString proc = QStringLiteral("/proc");
    QString sys = QStringLiteral("/sys");
};

// Width of every line of the report: time, interface name and two 20-digit counters.
namespace NettopLayout {
constexpr int timeWidth = 15; // HH:MM:SS.ffffff
constexpr int nameWidth = 15; // IFNAMSIZ minus the terminator
constexpr int counterWidth = 20; // the largest unsigned 64-bit counter has 20 digits
} // namespace NettopLayout

// One sample of the interface counter report: a header line, then one line of the same
// width per counted interface with its cumulative counters from <proc>/net/dev. Bad
// arguments give an empty text; a machine without the counters gives the header alone.
QString nettopSample(const QStringList &arguments, const NettopRoots &roots = {});
QString nettopSample(const NettopOptions &options, const NettopRoots &roots = {});

// What sysfs said about one interface; each fact is unknown until a filter needs it.
struct InterfaceFacts
{
    static constexpr int unknown = -2;
    // Which entry under <sys>/class/net the facts were read from: a new interface under an
    // old name has another inode (and a fixture written afresh another change time).
    std::uint64_t inode = 0;
    std::int64_t changed = 0;
    int device = unknown;
    int wireless = unknown;
    int type = unknown;
    bool devTypeRead = false;
    std::string devType;
};

// One interface's line of <proc>/net/dev; the name points into the text it was read from.
struct NettopCounters
{
    std::string_view name;
    std::uint64_t bytesIn = 0;
    std::uint64_t packetsIn = 0;
    std::uint64_t bytesOut = 0;
    std::uint64_t packetsOut = 0;
};

// The byte counters of the interfaces one sample lists, added up as a reader of the report
// adds its lines: an interface whose counter exceeds a signed 64-bit number, or would take
// the sum past one, is left out.
struct NettopTotals
{
    qint64 bytesIn = 0;
    qint64 bytesOut = 0;
    int interfaces = 0;
};

// The report for repeated use: it remembers what kind each interface is between samples,
// which spares a tick most of its sysfs reads. Not thread-safe; one owner at a time.
class NettopProducer
{
public:
    explicit NettopProducer(NettopRoots roots = {});
    ~NettopProducer();
    NettopProducer(const NettopProducer &) = delete;
    NettopProducer &operator=(const NettopProducer &) = delete;

    QString sample(const QStringList &arguments);
    QString sample(const NettopOptions &options);
    // The same report of counters given as the text of <proc>/net/dev, which is not read.
    QString sampleOf(std::string_view dev, const NettopOptions &options);
    // What sample() would list, summed without writing the report: for a reader that only
    // wants the totals, once a second. `now` is the monotonic time of the call, which a
    // caller that has just read the clock passes on rather than have it read again.
    NettopTotals totals(
        const NettopOptions &options, std::chrono::steady_clock::time_point now = std::chrono::steady_clock::now());

private:
    bool readCounters();
    // Reads the counters and keeps the lines of the interfaces the options count.
    bool selectCounted(const NettopOptions &options, std::chrono::steady_clock::time_point now);
    // Keeps the lines of the text `dev` for the interfaces the options count.
    void selectFrom(std::string_view dev, const NettopOptions &options, std::chrono::steady_clock::time_point now);
    QString report(const NettopOptions &options, bool counted) const;

    int m_devFd = -1;
    bool m_keepDev = false;
    NettopRoots m_roots;
    QByteArray m_devPath;
    QByteArray m_netPath;
    std::string m_dev;
    std::size_t m_devLength = 0;
    std::vector<NettopCounters> m_listing;
    std::vector<NettopCounters> m_counted;
    std::string m_listedNames;
    // Whether each interface of the listing counts, for the kinds it was chosen for.
    std::vector<bool> m_choice;
    std::vector<NettopOptions::Kind> m_choiceKinds;
    bool m_choiceValid = false;
    std::string m_scratch;
    std::string m_names;
    std::chrono::steady_clock::time_point m_factsTime;
    std::unordered_map<std::string, InterfaceFacts> m_facts;
};
