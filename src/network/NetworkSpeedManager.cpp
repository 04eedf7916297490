// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetworkSpeedManager.h"

#include "SpeedFormat.h"
#include "TitleSink.h"

#include <QMetaMethod>
#include <QMutexLocker>
#include <QTextBoundaryFinder>
#include <QThread>
#include <QVarLengthArray>
#include <climits>
#include <cmath>
#include <ctime>
#include <limits>
#include <linux/futex.h>
#include <optional>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

static_assert(
    sizeof(std::atomic<std::uint32_t>) == sizeof(std::uint32_t) && std::atomic<std::uint32_t>::is_always_lock_free,
    "the wake word is a futex");

std::uint32_t *futexWord(std::atomic<std::uint32_t> &word)
{
    return reinterpret_cast<std::uint32_t *>(&word);
}

// Line lengths are counted in user-perceived characters; the report itself is plain ASCII,
// where that is the number of code units.
qint64 characterCount(QStringView line)
{
    bool ascii = true;
    for (const QChar c : line) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return line.size();
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, line.data(), static_cast<int>(line.size()));
    qint64 count = 0;
    while (finder.toNextBoundary() > 0)
        ++count;
    return count;
}

// An optional '+' or '-', then decimal digits, nothing else; out of range is no number.
std::optional<qint64> parseSigned(QStringView field)
{
    bool negative = false;
    if (!field.isEmpty() && (field.front() == QLatin1Char('+') || field.front() == QLatin1Char('-'))) {
        negative = field.front() == QLatin1Char('-');
        field = field.mid(1);
    }
    if (field.isEmpty())
        return std::nullopt;
    quint64 magnitude = 0;
    for (const QChar c : field) {
        const char16_t unit = c.unicode();
        if (unit < u'0' || unit > u'9')
            return std::nullopt;
        if (__builtin_mul_overflow(magnitude, quint64 { 10 }, &magnitude)
            || __builtin_add_overflow(magnitude, static_cast<quint64>(unit - u'0'), &magnitude))
            return std::nullopt;
    }
    constexpr auto largest = static_cast<quint64>(std::numeric_limits<qint64>::max());
    if (!negative)
        return magnitude <= largest ? std::optional<qint64>(static_cast<qint64>(magnitude)) : std::nullopt;
    if (magnitude == largest + 1)
        return std::numeric_limits<qint64>::min();
    return magnitude <= largest ? std::optional<qint64>(-static_cast<qint64>(magnitude)) : std::nullopt;
}

// The last two space-separated fields of a data line: bytes in, then bytes out.
bool lastTwoFields(QStringView line, QStringView &secondToLast, QStringView &last)
{
    QStringView found[2];
    int count = 0;
    qsizetype end = line.size();
    while (count < 2) {
        while (end > 0 && line.at(end - 1) == QLatin1Char(' '))
            --end;
        if (end == 0)
            return false;
        qsizetype start = end;
        while (start > 0 && line.at(start - 1) != QLatin1Char(' '))
            --start;
        found[count++] = line.mid(start, end - start);
        end = start;
    }
    last = found[0];
    secondToLast = found[1];
    return true;
}

qint64 saturatedDifference(qint64 current, qint64 last)
{
    qint64 difference = 0;
    if (__builtin_sub_overflow(current, last, &difference))
        return current > last ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    return difference;
}

// A difference counted over `elapsed` as it would be over `interval`. Ticks come late when
// the machine is busy, and a late tick's difference spans more than the interval; shown
// unscaled it would read as a higher rate than the true one.
std::optional<qint64> scaledDifference(
    qint64 difference, std::chrono::nanoseconds elapsed, std::chrono::nanoseconds interval)
{
    // Within a millisecond the tick is on time and its difference is the rate as it is.
    if (difference < 0 || elapsed <= std::chrono::nanoseconds::zero()
        || std::chrono::abs(elapsed - interval) < std::chrono::milliseconds(1))
        return std::nullopt;
    const long double scaled = std::round(static_cast<long double>(difference) * interval.count() / elapsed.count());
    // 2^63 itself does not fit; anything from there on is the largest rate.
    if (scaled >= 9223372036854775807.0L)
        return std::numeric_limits<qint64>::max();
    return static_cast<qint64>(scaled);
}

} // namespace

NetworkSpeedManager::NetworkSpeedManager(
    TitleSink *statusBar, QObject *parent, NettopRoots roots, std::chrono::milliseconds interval)
    : QObject(parent)
    , m_statusBar(statusBar)
    , m_interval(interval)
    , m_producer(std::move(roots))
{ }

NetworkSpeedManager::~NetworkSpeedManager()
{
    stopSampling();
    if (m_thread) {
        {
            const QMutexLocker locker(&m_mutex);
            m_quit = true;
            wakeLocked();
        }
        m_thread->wait();
    }
}

const QStringList &NetworkSpeedManager::sampleArguments()
{
    static const QStringList arguments { QStringLiteral("-x"), QStringLiteral("-t"), QStringLiteral("wifi"),
        QStringLiteral("-t"), QStringLiteral("wired"), QStringLiteral("-J"), QStringLiteral("time,bytes_in,bytes_out"),
        QStringLiteral("-P"), QStringLiteral("-l"), QStringLiteral("1") };
    return arguments;
}

void NetworkSpeedManager::startSampling()
{
    {
        const QMutexLocker locker(&m_mutex);
        if (m_running)
            return;
        m_running = true;
        // The first tick runs at once on the worker thread, then one each interval.
        m_startPending = true;
        wakeLocked();
    }
    if (!m_thread) {
        m_thread.reset(QThread::create([this] { run(); }));
        m_thread->setObjectName(QStringLiteral("NetworkSpeedManager"));
        m_thread->start();
    }
    Q_EMIT samplingChanged(true);
}

void NetworkSpeedManager::stopSampling()
{
    {
        // Waits here for a tick in progress; later ticks find the sampler stopped. The
        // counters start afresh even when it was not running: the next tick only seeds.
        // The worker is not woken: when its tick falls due it finds nothing to do and
        // sleeps until the next start.
        const QMutexLocker locker(&m_mutex);
        const bool wasRunning = m_running;
        m_running = false;
        m_startPending = false;
        resetLocked();
        if (!wasRunning)
            return;
    }
    Q_EMIT samplingChanged(false);
}

bool NetworkSpeedManager::isSampling() const
{
    const QMutexLocker locker(&m_mutex);
    return m_running;
}

void NetworkSpeedManager::run()
{
    using std::chrono::steady_clock;
    // Each tick's byte difference is shown as a rate per second, so the ticks keep to a
    // schedule one interval apart rather than one interval after the last tick ended. A tick
    // more than an interval late starts a new schedule instead of catching up in a burst.
    // The clock is read once for each wake-up: that reading decides whether the tick is due,
    // sets the next one and times the sample.
    steady_clock::time_point due;
    const QMutexLocker locker(&m_mutex);
    auto now = steady_clock::now();
    while (!m_quit) {
        if (!m_running) {
            sleepLocked(nullptr);
            now = steady_clock::now();
            continue;
        }
        if (!m_startPending && now < due) {
            sleepLocked(&due);
            now = steady_clock::now();
            continue;
        }
        due = m_startPending || now - due >= m_interval ? now + m_interval : due + m_interval;
        m_startPending = false;
        // `now` stays before `due`, so the next turn sleeps until then without a reading.
        sampleLocked(now);
    }
}

void NetworkSpeedManager::sleepLocked(const std::chrono::steady_clock::time_point *deadline)
{
    // A wake given after the lock is let go changes the word first, and the kernel then
    // declines to sleep on the value seen here: no wake is lost. The deadline is absolute on
    // the monotonic clock, which is the steady clock's, so a late tick does not drift.
    const std::uint32_t seen = m_wake.load(std::memory_order_relaxed);
    timespec at {};
    if (deadline) {
        const auto since = deadline->time_since_epoch();
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(since);
        at.tv_sec = static_cast<time_t>(seconds.count());
        at.tv_nsec = static_cast<long>(std::chrono::duration_cast<std::chrono::nanoseconds>(since - seconds).count());
    }
    m_mutex.unlock();
    ::syscall(SYS_futex, futexWord(m_wake), FUTEX_WAIT_BITSET | FUTEX_PRIVATE_FLAG, seen, deadline ? &at : nullptr,
        nullptr, FUTEX_BITSET_MATCH_ANY);
    m_mutex.lock();
}

void NetworkSpeedManager::wakeLocked()
{
    m_wake.fetch_add(1, std::memory_order_relaxed);
    ::syscall(SYS_futex, futexWord(m_wake), FUTEX_WAKE | FUTEX_PRIVATE_FLAG, INT_MAX, nullptr, nullptr, 0);
}

void NetworkSpeedManager::connectNotify(const QMetaMethod &signal)
{
    if (signal == QMetaMethod::fromSignal(&NetworkSpeedManager::speedMeasured))
        m_speedListeners.fetch_add(1, std::memory_order_relaxed);
}

void NetworkSpeedManager::disconnectNotify(const QMetaMethod &signal)
{
    // Disconnecting everything at once names no signal; the count then stays, which only
    // costs an emission with no receiver.
    if (signal == QMetaMethod::fromSignal(&NetworkSpeedManager::speedMeasured))
        m_speedListeners.fetch_sub(1, std::memory_order_relaxed);
}

void NetworkSpeedManager::setClock(Clock clock)
{
    const QMutexLocker locker(&m_mutex);
    m_clock = std::move(clock);
}

void NetworkSpeedManager::sampleOnce()
{
    const QMutexLocker locker(&m_mutex);
    sampleLocked(std::chrono::steady_clock::now());
}

void NetworkSpeedManager::parseOutput(const QString &output)
{
    const QMutexLocker locker(&m_mutex);
    parseLocked(output, m_clock ? m_clock() : std::chrono::steady_clock::now());
}

void NetworkSpeedManager::sampleLocked(std::chrono::steady_clock::time_point now)
{
    // Timed as the counters are read, not when the tick was due.
    // The arguments never change: parsed once, not on every tick.
    static const std::optional<NettopOptions> options = parseNettopArguments(sampleArguments());
    const auto time = m_clock ? m_clock() : now;
    // The totals the report's lines would add up to, taken without writing and reading
    // the report: a tick then touches little beyond the counters themselves. The producer's
    // own schedule goes by the steady clock, whatever clock times the rates.
    if (!options)
        return;
    const NettopTotals totals = m_producer.totals(*options, now);
    if (totals.interfaces > 0)
        publishLocked(totals.bytesOut, totals.bytesIn, time);
}

void NetworkSpeedManager::resetLocked()
{
    m_lastUploadBytes = 0;
    m_lastDownloadBytes = 0;
    m_currentUploadBytes = 0;
    m_currentDownloadBytes = 0;
    m_incompleteLastLineOutputString.clear();
    m_lengthOflastHeaderLine = 0;
}

void NetworkSpeedManager::parseLocked(const QString &output, std::chrono::steady_clock::time_point time)
{
    const qsizetype carried = m_incompleteLastLineOutputString.size();
    const QString text = m_incompleteLastLineOutputString + output;
    m_incompleteLastLineOutputString.clear();

    const QList<QStringView> lines = QStringView(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVarLengthArray<QStringView, 16> accepted;
    enum class Verdict
    {
        Accepted,
        Dropped,
        Carried
    };
    auto judge = [&](QStringView line, bool isLast) {
        if (line.isEmpty())
            return Verdict::Dropped;
        const bool isHeader = line.startsWith(QLatin1String("time"));
        if (isHeader ? line.endsWith(QLatin1String("out")) : characterCount(line) == m_lengthOflastHeaderLine) {
            accepted.append(line);
            if (isHeader)
                m_lengthOflastHeaderLine = characterCount(line);
            return Verdict::Accepted;
        }
        if (!isLast)
            return Verdict::Dropped;
        m_incompleteLastLineOutputString = line.toString();
        return Verdict::Carried;
    };
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const bool isLast = i == lines.size() - 1;
        Verdict verdict = judge(lines.at(i), isLast);
        // The carried piece did not complete this output's first line. That line is then
        // judged on its own: it is usually the header, and losing it would measure every
        // data line against a stale width and carry the last one again, tick after tick.
        if (i == 0 && carried > 0 && verdict == Verdict::Dropped && lines.at(0).size() > carried)
            verdict = judge(lines.at(0).mid(carried), isLast);
        if (verdict == Verdict::Carried)
            break;
    }

    qint64 upload = 0;
    qint64 download = 0;
    int counted = 0;
    for (const QStringView line : accepted) {
        if (line.startsWith(QLatin1String("time")))
            continue;
        QStringView inField;
        QStringView outField;
        if (!lastTwoFields(line, inField, outField))
            continue;
        const auto in = parseSigned(inField);
        const auto out = parseSigned(outField);
        qint64 nextDownload = 0;
        qint64 nextUpload = 0;
        // A line that is not two whole numbers, or that would overflow the totals, would
        // make every later difference meaningless; it is left out.
        if (!in || !out || __builtin_add_overflow(download, *in, &nextDownload)
            || __builtin_add_overflow(upload, *out, &nextUpload))
            continue;
        download = nextDownload;
        upload = nextUpload;
        ++counted;
    }
    // A run that measured nothing is no measurement: the previous totals stay the
    // reference and the title keeps its text.
    if (counted > 0)
        publishLocked(upload, download, time);
}

void NetworkSpeedManager::publishLocked(qint64 upload, qint64 download, std::chrono::steady_clock::time_point time)
{
    m_currentUploadBytes = upload;
    m_currentDownloadBytes = download;
    const auto elapsed = time - std::exchange(m_lastSampleTime, time);
    if (m_lastUploadBytes < 1 || m_lastDownloadBytes < 1) {
        m_lastUploadBytes = m_currentUploadBytes;
        m_lastDownloadBytes = m_currentDownloadBytes;
        return;
    }
    qint64 uploadDifference = saturatedDifference(m_currentUploadBytes, m_lastUploadBytes);
    qint64 downloadDifference = saturatedDifference(m_currentDownloadBytes, m_lastDownloadBytes);
    if (const auto scaled = scaledDifference(uploadDifference, elapsed, m_interval))
        uploadDifference = *scaled;
    if (const auto scaled = scaledDifference(downloadDifference, elapsed, m_interval))
        downloadDifference = *scaled;
    // The ladder reads the difference alone (a saturated one shows as the largest or no
    // rate, as the overflow it stands for would), so a rate shown before keeps its text.
    auto show = [](ShownRate &shown, qint64 difference) {
        if (shown.rate != difference || shown.text.isNull())
            shown = { difference, formatSpeed(0, difference) };
    };
    show(m_shownUpload, uploadDifference);
    show(m_shownDownload, downloadDifference);
    if (m_speedListeners.load(std::memory_order_relaxed) > 0)
        Q_EMIT speedMeasured(uploadDifference, downloadDifference);
    if (m_statusBar)
        m_statusBar->updateTitle(m_shownUpload.text, m_shownDownload.text);
    m_lastUploadBytes = m_currentUploadBytes;
    m_lastDownloadBytes = m_currentDownloadBytes;
}
