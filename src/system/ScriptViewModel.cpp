// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptViewModel.h"

#include "CommandRunner.h"
#include "HelperProgram.h"

namespace {
const QString unknown = QStringLiteral("unkown");
}

ScriptViewModel::ScriptViewModel(QObject *parent)
    : ScriptViewModel(reportProgram(), reportArguments(), parent)
{ }

ScriptViewModel::ScriptViewModel(const QString &program, const QStringList &arguments, QObject *parent)
    : QObject(parent)
    , m_resolution(unknown)
    , m_deviceID(unknown)
    , m_coreNum(unknown)
    , m_coreTotal(unknown)
    , m_serialNumber(unknown)
{
    if (program.isEmpty())
        return;
    CommandRunner::runCommand(
        program, arguments, [this](const QString &chunk) { readChunk(chunk); }, [this](int) { reportFinished(); },
        this);
}

QString ScriptViewModel::reportProgram()
{
    return helperProgramPath(QStringLiteral("system_profiler"));
}

QStringList ScriptViewModel::reportArguments()
{
    return { QStringLiteral("SPDisplaysDataType"), QStringLiteral("SPHardwareDataType") };
}

QString ScriptViewModel::valueOf(QStringView line)
{
    const qsizetype colon = line.indexOf(u':');
    if (colon < 0)
        return unknown;
    QStringView value = line.mid(colon + 1);
    while (!value.isEmpty() && (value.front() == u' ' || value.front() == u'\t'))
        value = value.mid(1);
    while (!value.isEmpty() && (value.back() == u' ' || value.back() == u'\t' || value.back() == u'\r'))
        value.chop(1);
    return value.isEmpty() ? unknown : value.toString();
}

void ScriptViewModel::readChunk(const QString &chunk)
{
    setRunning(false);
    // Only the new piece is searched; an unfinished line waits, up to a bound, for its end.
    constexpr qsizetype maxLine = 64 * 1024;
    QStringView rest(chunk);
    for (qsizetype end = rest.indexOf(u'\n'); end >= 0; end = rest.indexOf(u'\n')) {
        if (m_partialLine.isEmpty()) {
            readLine(rest.left(end));
        } else {
            m_partialLine += rest.left(std::max<qsizetype>(0, std::min(end, maxLine - m_partialLine.size())));
            readLine(std::exchange(m_partialLine, QString()));
        }
        rest = rest.mid(end + 1);
    }
    m_partialLine += rest.left(std::max<qsizetype>(0, maxLine - m_partialLine.size()));
}

void ScriptViewModel::reportFinished()
{
    const QString rest = std::exchange(m_partialLine, QString());
    if (!rest.isEmpty())
        readLine(rest);
    setRunning(false);
}

void ScriptViewModel::readLine(QStringView line)
{
    struct Label
    {
        QLatin1StringView text;
        Section section;
        QString ScriptViewModel::*field;
        void (ScriptViewModel::*changed)();
    };
    static const Label labels[] = {
        { QLatin1StringView("Resolution"), Section::displays, &ScriptViewModel::m_resolution,
            &ScriptViewModel::resolutionChanged },
        { QLatin1StringView("Hardware UUID"), Section::hardware, &ScriptViewModel::m_deviceID,
            &ScriptViewModel::deviceIDChanged },
        { QLatin1StringView("Number of Processors"), Section::hardware, &ScriptViewModel::m_coreNum,
            &ScriptViewModel::coreNumChanged },
        { QLatin1StringView("Total Number of Cores"), Section::hardware, &ScriptViewModel::m_coreTotal,
            &ScriptViewModel::coreTotalChanged },
        { QLatin1StringView("Serial Number"), Section::hardware, &ScriptViewModel::m_serialNumber,
            &ScriptViewModel::serialNumberChanged },
    };
    if (line.isEmpty())
        return;
    // A section starts with its unindented heading; each value is read from its own labelled
    // line of its section only, so a name that merely mentions a label is never taken for it.
    if (line.front() != u' ' && line.front() != u'\t') {
        m_section = line.startsWith(QLatin1String("Graphics/Displays:")) ? Section::displays
            : line.startsWith(QLatin1String("Hardware:"))                ? Section::hardware
                                                                         : Section::other;
        return;
    }
    const qsizetype colon = line.indexOf(u':');
    if (colon < 0)
        return;
    const QStringView key = line.left(colon).trimmed();
    // A heading ("DELL U2720Q:") ends in its colon; labelled values follow theirs.
    if (line.mid(colon + 1).trimmed().isEmpty())
        return;
    for (const Label &label : labels) {
        // "Serial Number (system)" carries a qualifier after the label.
        const bool matches = key == label.text
            || (key.startsWith(label.text) && key.mid(label.text.size()).startsWith(QLatin1String(" (")));
        if (matches && label.section == m_section)
            setField(label.field, label.changed, valueOf(line));
    }
}

void ScriptViewModel::setRunning(bool running)
{
    if (m_isRunning == running)
        return;
    m_isRunning = running;
    emit isRunningChanged();
}

void ScriptViewModel::setField(
    QString ScriptViewModel::*field, void (ScriptViewModel::*changed)(), const QString &value)
{
    if (this->*field == value)
        return;
    this->*field = value;
    emit(this->*changed)();
}
