// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The small readers of /proc and /sys values, one per target (FUZZ_<READER> picks it): each
// value stays in its range and every text is one plain line.
#include "FuzzSupport.h"
#include "platform/CpuInfoReader.h"
#include "platform/CpuTopologyReader.h"
#include "platform/DrmConnectorReader.h"
#include "platform/MemInfoReader.h"
#include "platform/OsReleaseReader.h"
#include "platform/ProcStatReader.h"
#include "platform/SysInfoFile.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = Fuzz::bytes(data, size);
#if defined(FUZZ_CPU_LIST)
    if (const auto ids = SysInfoFile::parseCpuList(QString::fromUtf8(bytes))) {
        FUZZ_CHECK(ids->size() <= SysInfoFile::maxCpuCount);
        for (qsizetype i = 0; i < ids->size(); ++i)
            FUZZ_CHECK(
                ids->at(i) >= 0 && ids->at(i) < SysInfoFile::maxCpuCount && (i == 0 || ids->at(i - 1) < ids->at(i)));
    }
#elif defined(FUZZ_CACHE_SIZE)
    if (const auto bytesOfCache = CpuTopologyReader::parseCacheSize(QString::fromUtf8(bytes)))
        FUZZ_CHECK(*bytesOfCache <= (quint64(1) << 40));
#elif defined(FUZZ_CPUINFO)
    const CpuInfo info = CpuInfoReader::parse(bytes);
    if (const auto name = CpuInfoReader::processorName(info))
        FUZZ_CHECK(!name->isEmpty() && Fuzz::isPlainLine(*name));
    if (const auto mhz = CpuInfoReader::highestMhz(info))
        FUZZ_CHECK(std::isfinite(*mhz) && *mhz > 0);
    FUZZ_CHECK(CpuInfoReader::packageCount(info).value_or(1) >= 1 && CpuInfoReader::coreCount(info).value_or(1) >= 1);
#elif defined(FUZZ_MEMINFO)
    // The reading does not depend on what follows the last line.
    FUZZ_CHECK(MemInfoReader::parse(bytes + "\n").memTotal == MemInfoReader::parse(bytes + "\n\n").memTotal);
#elif defined(FUZZ_OS_RELEASE)
    const QHash<QString, QString> values = OsReleaseReader::parse(bytes);
    for (auto it = values.begin(); it != values.end(); ++it)
        FUZZ_CHECK(!it.key().contains(u'=') && Fuzz::isPlainLine(it.value()));
#elif defined(FUZZ_PROC_STAT)
    if (const auto times = ProcStatReader::parse(bytes))
        FUZZ_CHECK(ProcStatReader::parse(bytes + "\n").has_value());
#elif defined(FUZZ_EDID)
    if (const auto name = DrmConnectorReader::edidMonitorName(bytes))
        FUZZ_CHECK(!name->isEmpty() && name->size() <= 13 && Fuzz::isPlainLine(*name));
#elif defined(FUZZ_PRINTABLE)
    const QString text = SysInfoFile::printable(QString::fromUtf8(bytes));
    FUZZ_CHECK(Fuzz::isPlainLine(text) && text == text.trimmed() && SysInfoFile::printable(text) == text);
#else
#error "FUZZ_<READER> names the reader under test"
#endif
    return 0;
}
