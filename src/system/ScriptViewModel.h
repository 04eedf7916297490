// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// The hardware card's facts, read by label from one run of the hardware report program.
class ScriptViewModel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isRunning READ isRunning NOTIFY isRunningChanged)
    Q_PROPERTY(QString resolution READ resolution NOTIFY resolutionChanged)
    Q_PROPERTY(QString deviceID READ deviceID NOTIFY deviceIDChanged)
    Q_PROPERTY(QString coreNum READ coreNum NOTIFY coreNumChanged)
    Q_PROPERTY(QString coreTotal READ coreTotal NOTIFY coreTotalChanged)
    Q_PROPERTY(QString SerialNumber READ serialNumber NOTIFY serialNumberChanged)

public:
    // Starts the report (displays and hardware) at once.
    explicit ScriptViewModel(QObject *parent = nullptr);
    // Starts the given program instead; an empty path starts nothing (the owner feeds chunks).
    ScriptViewModel(const QString &program, const QStringList &arguments, QObject *parent = nullptr);

    static QString reportProgram();
    static QStringList reportArguments();

    bool isRunning() const { return m_isRunning; }
    QString resolution() const { return m_resolution; }
    QString deviceID() const { return m_deviceID; }
    QString coreNum() const { return m_coreNum; }
    QString coreTotal() const { return m_coreTotal; }
    QString serialNumber() const { return m_serialNumber; }

    // One piece of report output as the runner delivers it. A line cut between two pieces is
    // kept until its end arrives, so no value is read from half a line.
    void readChunk(const QString &chunk);
    // The report ended: the last unfinished line is read and isRunning turns false.
    void reportFinished();

    // The value of a "label: value" line: everything after the first colon, trimmed of blanks
    // and tabs; "unkown" when nothing follows it.
    static QString valueOf(QStringView line);

signals:
    void isRunningChanged();
    void resolutionChanged();
    void deviceIDChanged();
    void coreNumChanged();
    void coreTotalChanged();
    void serialNumberChanged();

private:
    void readLine(QStringView line);
    void setRunning(bool running);
    void setField(QString ScriptViewModel::*field, void (ScriptViewModel::*changed)(), const QString &value);

    enum class Section
    {
        other,
        displays,
        hardware,
    };

    bool m_isRunning = true;
    Section m_section = Section::other;
    QString m_resolution;
    QString m_deviceID;
    QString m_coreNum;
    QString m_coreTotal;
    QString m_serialNumber;
    QString m_partialLine;
};
