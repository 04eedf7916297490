// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NettopSample.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <limits>
#include <linux/magic.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

using Kind = NettopOptions::Kind;
using Column = NettopOptions::Column;

using Counters = NettopCounters;

// Only regular files are read (procfs and sysfs files are regular): a FIFO or device planted
// in their place counts as unreadable.
bool isRegular(int fd)
{
    struct stat status
    {
    };
    return ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
}

// The whole of an open file from its start, up to a limit, into the buffer's first bytes;
// gives their number. The buffer keeps its size from one read to the next, so a file read
// once a second is neither cleared beforehand nor copied on its way.
std::optional<std::size_t> readInto(int fd, std::string &buffer, std::size_t limit)
{
    constexpr std::size_t piece = 4096;
    std::size_t length = 0;
    while (length < limit) {
        if (buffer.size() < std::min(length + piece, limit))
            buffer.resize(std::min(length + piece, limit));
        const std::size_t room = std::min(buffer.size(), limit) - length;
        const ssize_t count = ::pread(fd, buffer.data() + length, room, static_cast<off_t>(length));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return std::nullopt;
        if (count == 0)
            break;
        length += static_cast<std::size_t>(count);
    }
    return length;
}

bool readAt(int fd, std::string &into, std::size_t limit)
{
    const auto length = readInto(fd, into, limit);
    into.resize(length.value_or(0));
    return length.has_value();
}

// Plain POSIX reads: procfs and sysfs files are small, and a tick reads several of them,
// where QFile's per-open overhead would dominate.
bool readFile(int directory, const char *path, std::string &into, std::size_t limit)
{
    const int fd = ::openat(directory, path, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return false;
    const bool read = isRegular(fd) && readAt(fd, into, limit);
    ::close(fd);
    return read;
}

bool parseUnsigned(std::string_view &text, std::uint64_t &value)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    const std::size_t start = i;
    value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        const auto digit = static_cast<std::uint64_t>(text[i] - '0');
        if (__builtin_mul_overflow(value, std::uint64_t { 10 }, &value) || __builtin_add_overflow(value, digit, &value))
            return false;
        ++i;
    }
    text.remove_prefix(i);
    return i > start;
}

// One line of <proc>/net/dev: "%6s: " and then sixteen counters, eight received and eight
// transmitted; the name is right-aligned and longer names push the colon along.
bool parseDevLine(std::string_view line, Counters &counters)
{
    const auto colon = line.find(':');
    if (colon == std::string_view::npos)
        return false;
    std::string_view name = line.substr(0, colon);
    while (!name.empty() && name.front() == ' ')
        name.remove_prefix(1);
    if (name.empty())
        return false;
    counters.name = name;
    std::string_view rest = line.substr(colon + 1);
    std::array<std::uint64_t, 16> fields {};
    for (auto &field : fields) {
        if (!parseUnsigned(rest, field))
            return false;
    }
    counters.bytesIn = fields[0];
    counters.packetsIn = fields[1];
    counters.bytesOut = fields[8];
    counters.packetsOut = fields[9];
    return true;
}

// A directory under sysfs opened on first use: a tick whose facts are all known opens
// nothing.
class LazyDirectory
{
public:
    explicit LazyDirectory(QByteArray path)
        : m_path(std::move(path))
    { }
    ~LazyDirectory()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    LazyDirectory(const LazyDirectory &) = delete;
    LazyDirectory &operator=(const LazyDirectory &) = delete;

    int fd()
    {
        if (m_fd == unopened)
            m_fd = ::open(m_path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        return m_fd;
    }

    bool failed() const { return m_fd == -1; }

private:
    static constexpr int unopened = -2;
    QByteArray m_path;
    int m_fd = unopened;
};

// Keeps the facts only while <sys>/class/net/IF is the entry they were read from (the
// symbolic link itself, not what it points to); a missing entry has no inode, which differs
// from any entry's.
void keepIfSameEntry(LazyDirectory &directory, std::string_view name, InterfaceFacts &facts)
{
    struct stat status
    {
    };
    const int fd = directory.fd();
    if (fd < 0 || ::fstatat(fd, std::string(name).c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        status = {};
    const auto inode = static_cast<std::uint64_t>(status.st_ino);
    const std::int64_t changed = static_cast<std::int64_t>(status.st_ctim.tv_sec) * 1000000000 + status.st_ctim.tv_nsec;
    if (facts.inode == inode && facts.changed == changed)
        return;
    facts = {};
    facts.inode = inode;
    facts.changed = changed;
}

// What <sys>/class/net/IF says about one interface, each fact read only when a filter asks
// for it and kept in the facts: every check is a system call of a few microseconds, and a
// host with containers lists dozens of virtual interfaces.
class InterfaceProbe
{
public:
    InterfaceProbe(LazyDirectory &directory, std::string_view name, InterfaceFacts &facts, std::string &scratch)
        : m_directory(directory)
        , m_name(name)
        , m_facts(facts)
        , m_scratch(scratch)
    { }

    // Physical cards, Wi-Fi ones included, have a parent device; bridges, veth, tun, the
    // loopback and container links have none. Checked first because it rules most out.
    bool hasDevice()
    {
        return known(m_facts.device, [this] { return exists("/device"); });
    }

    // cfg80211 links phy80211 for every wireless interface; "wireless" exists where the
    // old wireless extensions are built in.
    bool isWireless()
    {
        return hasDevice() && known(m_facts.wireless, [this] { return exists("/phy80211") || exists("/wireless"); });
    }

    // Ethernet (ARPHRD_ETHER, 1) backed by a device, and neither Wi-Fi nor a modem that
    // also presents itself as Ethernet.
    bool isWired() { return hasDevice() && !isWireless() && type() == 1 && devType() != "wwan"; }

    bool isLoopback() { return type() == 772; } // ARPHRD_LOOPBACK
    bool isCellular() { return hasDevice() && devType() == "wwan"; }

private:
    template<typename Check> static bool known(int &fact, Check check)
    {
        if (fact == InterfaceFacts::unknown)
            fact = check() ? 1 : 0;
        return fact == 1;
    }

    bool exists(const char *leaf) const
    {
        const int directory = m_directory.fd();
        return directory >= 0 && ::faccessat(directory, (m_name + leaf).c_str(), F_OK, 0) == 0;
    }

    int type()
    {
        if (m_facts.type != InterfaceFacts::unknown)
            return m_facts.type;
        m_facts.type = -1;
        const int directory = m_directory.fd();
        if (directory < 0 || !readFile(directory, (m_name + "/type").c_str(), m_scratch, 64))
            return m_facts.type;
        int type = 0;
        bool digits = false;
        for (const char c : m_scratch) {
            if (c < '0' || c > '9' || type > 1000000)
                break;
            type = type * 10 + (c - '0');
            digits = true;
        }
        m_facts.type = digits ? type : -1;
        return m_facts.type;
    }

    // uevent holds DEVTYPE=wlan, wwan, bridge... for typed devices.
    const std::string &devType()
    {
        if (m_facts.devTypeRead)
            return m_facts.devType;
        m_facts.devTypeRead = true;
        const int directory = m_directory.fd();
        if (directory < 0 || !readFile(directory, (m_name + "/uevent").c_str(), m_scratch, 4096))
            return m_facts.devType;
        const std::string_view key = "DEVTYPE=";
        std::string_view rest(m_scratch);
        while (!rest.empty()) {
            const auto end = rest.find('\n');
            const std::string_view line = rest.substr(0, end);
            rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
            if (line.substr(0, key.size()) == key)
                m_facts.devType = line.substr(key.size());
        }
        return m_facts.devType;
    }

    LazyDirectory &m_directory;
    std::string m_name;
    InterfaceFacts &m_facts;
    std::string &m_scratch;
};

// The kernel refuses these names, so a listing that has them is not to be followed into
// sysfs.
bool isPlausibleName(std::string_view name)
{
    return name.size() <= static_cast<std::size_t>(NettopLayout::nameWidth) && name != "." && name != ".."
        && name.find('/') == std::string_view::npos;
}

bool isCounted(const NettopOptions &options, InterfaceProbe &probe)
{
    // The kinds exclude each other, so an interface is listed once however many match.
    for (const Kind kind : options.kinds) {
        switch (kind) {
        case Kind::Wifi:
            if (probe.isWireless())
                return true;
            break;
        case Kind::Wired:
            if (probe.isWired())
                return true;
            break;
        case Kind::Loopback:
            if (probe.isLoopback())
                return true;
            break;
        case Kind::Cellular:
            if (probe.isCellular())
                return true;
            break;
        }
    }
    return false;
}

void appendPadded(std::string &line, std::string_view text, int width, bool right)
{
    const auto padding = text.size() < static_cast<std::size_t>(width) ? width - text.size() : 0;
    if (right)
        line.append(padding, ' ');
    line.append(text);
    if (!right)
        line.append(padding, ' ');
}

// Counters as the report prints them without -x: three significant figures and a unit.
std::string abbreviated(std::uint64_t value)
{
    static constexpr std::array<const char *, 7> units { "B", "KiB", "MiB", "GiB", "TiB", "PiB", "EiB" };
    double scaled = static_cast<double>(value);
    std::size_t unit = 0;
    while (scaled >= 1024.0 && unit + 1 < units.size()) {
        scaled /= 1024.0;
        ++unit;
    }
    std::array<char, 32> buffer {};
    if (unit == 0)
        std::snprintf(buffer.data(), buffer.size(), "%llu B", static_cast<unsigned long long>(value));
    else
        std::snprintf(buffer.data(), buffer.size(), "%.1f %s", scaled, units.at(unit));
    return buffer.data();
}

// Packet counts are never abbreviated: the units are for bytes.
std::string counterText(Column column, std::uint64_t value, bool raw)
{
    const bool bytes = column == Column::BytesIn || column == Column::BytesOut;
    return raw || !bytes ? std::to_string(value) : abbreviated(value);
}

std::string timeText()
{
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    tm local {};
    ::localtime_r(&now.tv_sec, &local);
    std::array<char, 32> buffer {};
    std::snprintf(buffer.data(), buffer.size(), "%02d:%02d:%02d.%06ld", local.tm_hour, local.tm_min, local.tm_sec,
        now.tv_nsec / 1000);
    return buffer.data();
}

// Interface names may hold any byte but '/', ':' and white space; the report is plain
// one-byte text, so anything else is shown as '?' and the width stays exact.
std::string printableName(std::string_view name)
{
    std::string text(name.substr(0, NettopLayout::nameWidth));
    for (char &c : text) {
        if (c < 0x21 || c > 0x7e)
            c = '?';
    }
    return text;
}

const char *columnTitle(Column column)
{
    switch (column) {
    case Column::Time:
        return "time";
    case Column::BytesIn:
        return "bytes_in";
    case Column::BytesOut:
        return "bytes_out";
    case Column::PacketsIn:
        return "packets_in";
    case Column::PacketsOut:
        return "packets_out";
    }
    return "";
}

std::uint64_t columnValue(Column column, const Counters &counters)
{
    switch (column) {
    case Column::BytesIn:
        return counters.bytesIn;
    case Column::BytesOut:
        return counters.bytesOut;
    case Column::PacketsIn:
        return counters.packetsIn;
    case Column::PacketsOut:
        return counters.packetsOut;
    case Column::Time:
        break;
    }
    return 0;
}

// Lays out one line: the time column first, then the name, then the counters in the order
// asked for. The header and every row go through here, so they always have the same width.
template<typename TimeCell, typename NameCell, typename CounterCell>
void appendLine(
    std::string &text, const NettopOptions &options, TimeCell timeCell, NameCell nameCell, CounterCell counterCell)
{
    bool first = true;
    auto separate = [&] {
        if (!first)
            text += ' ';
        first = false;
    };
    for (const Column column : options.columns) {
        if (column != Column::Time)
            continue;
        separate();
        appendPadded(text, timeCell(), NettopLayout::timeWidth, false);
    }
    separate();
    appendPadded(text, nameCell(), NettopLayout::nameWidth, false);
    for (const Column column : options.columns) {
        if (column == Column::Time)
            continue;
        separate();
        appendPadded(text, counterCell(column), NettopLayout::counterWidth, true);
    }
    text += '\n';
}

void appendHeader(std::string &text, const NettopOptions &options)
{
    appendLine(
        text, options, [] { return std::string(columnTitle(Column::Time)); }, [] { return std::string(); },
        [](Column column) { return std::string(columnTitle(column)); });
}

void appendRow(std::string &text, const NettopOptions &options, const Counters &counters, const std::string &time)
{
    appendLine(
        text, options, [&] { return time; }, [&] { return printableName(counters.name); },
        [&](Column column) { return counterText(column, columnValue(column, counters), options.raw); });
}

} // namespace

QString nettopSample(const QStringList &arguments, const NettopRoots &roots)
{
    return NettopProducer(roots).sample(arguments);
}

QString nettopSample(const NettopOptions &options, const NettopRoots &roots)
{
    return NettopProducer(roots).sample(options);
}

NettopProducer::NettopProducer(NettopRoots roots)
    : m_roots(std::move(roots))
    , m_devPath(QFile::encodeName(m_roots.proc) + "/net/dev")
    , m_netPath(QFile::encodeName(m_roots.sys) + "/class/net")
{ }

NettopProducer::~NettopProducer()
{
    if (m_devFd >= 0)
        ::close(m_devFd);
}

// The kernel writes <proc>/net/dev afresh for every read from offset 0, so the file stays
// open between samples: opening it resolves /proc/self/net each time, which costs more
// than producing the text. What it is does not change while it is open, so it is checked
// once, as it is opened. A regular file elsewhere (a copy for tests) is opened anew each
// time, since it may have been replaced.
bool NettopProducer::readCounters()
{
    if (m_devFd < 0) {
        m_devFd = ::open(m_devPath.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
        if (m_devFd < 0)
            return false;
        struct statfs fileSystem
        {
        };
        m_keepDev = ::fstatfs(m_devFd, &fileSystem) == 0 && fileSystem.f_type == PROC_SUPER_MAGIC;
        if (!isRegular(m_devFd)) {
            ::close(m_devFd);
            m_devFd = -1;
            return false;
        }
    }
    const auto length = readInto(m_devFd, m_dev, std::size_t { 16 } << 20);
    m_devLength = length.value_or(0);
    const bool read = length.has_value();
    if (!m_keepDev || !read) {
        ::close(m_devFd);
        m_devFd = -1;
    }
    return read;
}

QString NettopProducer::sample(const QStringList &arguments)
{
    const auto options = parseNettopArguments(arguments);
    if (!options)
        return {};
    return sample(*options);
}

bool NettopProducer::selectCounted(const NettopOptions &options, std::chrono::steady_clock::time_point now)
{
    m_counted.clear();
    if (!readCounters())
        return false;
    selectFrom(std::string_view(m_dev.data(), m_devLength), options, now);
    return true;
}

void NettopProducer::selectFrom(
    std::string_view dev, const NettopOptions &options, std::chrono::steady_clock::time_point now)
{
    m_listing.clear();
    m_listedNames.clear();
    std::string_view rest(dev);
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        // The two title lines carry '|' separators; every interface line has a colon.
        Counters counters;
        if (line.find('|') != std::string_view::npos || !parseDevLine(line, counters))
            continue;
        m_listing.push_back(counters);
        m_listedNames.append(counters.name).push_back('\n');
    }

    // An interface keeps its kind for as long as it exists, so its facts are kept while its
    // entry under <sys>/class/net stays the same. That is looked at when the list of names
    // changes (one added, removed or renamed) and after a while in any case, in case a name
    // was taken over by another kind of interface between two ticks: one look at each entry
    // tells, and only a new one has its facts read. Until then the same list with the same
    // filters counts the same interfaces.
    if (m_listedNames != m_names || now - m_factsTime > std::chrono::seconds(30)) {
        m_choiceValid = false;
        m_names.swap(m_listedNames);
        m_factsTime = now;
    }
    if (!m_choiceValid || m_choiceKinds != options.kinds) {
        m_choice.assign(m_listing.size(), options.kinds.empty());
        m_choiceKinds = options.kinds;
        m_choiceValid = true;
        LazyDirectory directory(m_netPath);
        // The facts of the names listed now move over; those of names gone are dropped.
        std::unordered_map<std::string, InterfaceFacts> facts;
        for (std::size_t i = 0; i < m_listing.size() && !options.kinds.empty(); ++i) {
            const std::string_view name = m_listing[i].name;
            if (!isPlausibleName(name))
                continue;
            std::string key(name);
            auto kept = m_facts.extract(key);
            InterfaceFacts &known = kept.empty() ? facts[key] : facts.insert(std::move(kept)).position->second;
            keepIfSameEntry(directory, name, known);
            InterfaceProbe probe(directory, name, known, m_scratch);
            m_choice[i] = isCounted(options, probe);
        }
        m_facts.swap(facts);
        // Facts gathered without the directory (no sysfs, or out of descriptors) say nothing,
        // nor does a choice made on them: the next sample looks again.
        if (directory.failed()) {
            m_facts.clear();
            m_choiceValid = false;
        }
    }
    for (std::size_t i = 0; i < m_listing.size(); ++i) {
        if (m_choice[i])
            m_counted.push_back(m_listing[i]);
    }
}

QString NettopProducer::sample(const NettopOptions &options)
{
    return report(options, selectCounted(options, std::chrono::steady_clock::now()));
}

QString NettopProducer::sampleOf(std::string_view dev, const NettopOptions &options)
{
    m_counted.clear();
    selectFrom(dev, options, std::chrono::steady_clock::now());
    return report(options, true);
}

QString NettopProducer::report(const NettopOptions &options, bool counted) const
{
    std::string text;
    text.reserve(1024);
    appendHeader(text, options);
    if (!counted)
        return QString::fromLatin1(text);
    const std::string time = timeText();
    for (const Counters &counters : m_counted)
        appendRow(text, options, counters, time);
    return QString::fromLatin1(text);
}

NettopTotals NettopProducer::totals(const NettopOptions &options, std::chrono::steady_clock::time_point now)
{
    NettopTotals totals;
    if (!selectCounted(options, now))
        return totals;
    constexpr auto largest = static_cast<std::uint64_t>(std::numeric_limits<qint64>::max());
    for (const Counters &counters : m_counted) {
        qint64 bytesIn = 0;
        qint64 bytesOut = 0;
        if (counters.bytesIn > largest || counters.bytesOut > largest
            || __builtin_add_overflow(totals.bytesIn, static_cast<qint64>(counters.bytesIn), &bytesIn)
            || __builtin_add_overflow(totals.bytesOut, static_cast<qint64>(counters.bytesOut), &bytesOut))
            continue;
        totals.bytesIn = bytesIn;
        totals.bytesOut = bytesOut;
        ++totals.interfaces;
    }
    return totals;
}
