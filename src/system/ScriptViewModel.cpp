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
    const QString text = m_partialLine + chunk;
    const qsizetype lastBreak = text.lastIndexOf(u'\n');
    m_partialLine = text.mid(lastBreak + 1);
    for (QStringView line : QStringView(text).left(lastBreak + 1).split(u'\n', Qt::SkipEmptyParts))
        readLine(line);
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
        QString ScriptViewModel::*field;
        void (ScriptViewModel::*changed)();
    };
    static const Label labels[] = {
        { QLatin1StringView("Resolution"), &ScriptViewModel::m_resolution, &ScriptViewModel::resolutionChanged },
        { QLatin1StringView("Hardware UUID"), &ScriptViewModel::m_deviceID, &ScriptViewModel::deviceIDChanged },
        { QLatin1StringView("Number of Processors"), &ScriptViewModel::m_coreNum, &ScriptViewModel::coreNumChanged },
        { QLatin1StringView("Total Number of Cores"), &ScriptViewModel::m_coreTotal,
            &ScriptViewModel::coreTotalChanged },
        { QLatin1StringView("Serial Number"), &ScriptViewModel::m_serialNumber, &ScriptViewModel::serialNumberChanged },
    };
    for (const Label &label : labels) {
        if (line.contains(label.text))
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
