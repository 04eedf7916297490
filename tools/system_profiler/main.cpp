// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "system/HardwareReport.h"

#include <QCoreApplication>
#include <QFile>
#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace {
const char usage[] = "Usage: system_profiler [--root DIR] [--no-dbus] [DataType...]\n"
                     "Prints the hardware report. Data types: SPDisplaysDataType, SPHardwareDataType.\n"
                     "--root DIR  read proc/, sys/ and etc/ under DIR instead of the running system\n"
                     "            (implies --no-dbus)\n"
                     "--no-dbus   do not ask systemd-hostnamed for the serial number and UUID\n";

bool writeAll(const QByteArray &bytes)
{
    // One write for the whole report, so a reader gets it in as few pieces as the pipe allows.
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(STDOUT_FILENO, bytes.constData() + done, size_t(bytes.size() - done));
        if (wrote < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += wrote;
    }
    return true;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    HardwareReportSources sources;
    QStringList dataTypes;
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--root") && i + 1 < arguments.size()) {
            const QString &root = arguments.at(++i);
            sources.procRoot = root + QStringLiteral("/proc");
            sources.sysRoot = root + QStringLiteral("/sys");
            sources.etcRoot = root + QStringLiteral("/etc");
            sources.useHostnamed = false;
        } else if (argument == QLatin1String("--no-dbus")) {
            sources.useHostnamed = false;
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            std::fputs(usage, stdout);
            return 0;
        } else if (argument.startsWith(u'-')) {
            std::fputs(usage, stderr);
            return 2;
        } else {
            dataTypes.append(argument);
        }
    }
    return writeAll(HardwareReport(sources).render(dataTypes).toUtf8()) ? 0 : 1;
}
