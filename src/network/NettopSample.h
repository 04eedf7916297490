// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "NettopOptions.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <chrono>
#include <string>
#include <unordered_map>

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
    int device = unknown;
    int wireless = unknown;
    int type = unknown;
    bool devTypeRead = false;
    std::string devType;
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

private:
    bool readCounters();

    int m_devFd = -1;
    NettopRoots m_roots;
    QByteArray m_devPath;
    QByteArray m_netPath;
    std::string m_dev;
    std::string m_scratch;
    std::string m_names;
    std::chrono::steady_clock::time_point m_factsTime;
    std::unordered_map<std::string, InterfaceFacts> m_facts;
};
