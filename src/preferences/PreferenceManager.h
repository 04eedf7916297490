// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PreferenceFile.h"
#include "PreferenceStorage.h"

#include <QLocale>
#include <QObject>
#include <QRect>
#include <optional>

// The user's seven settings, loaded once and written back the moment one changes. Every write
// queues exactly one objectWillChange() on the main thread; it arrives after the value is stored
// in memory and on disk, and observers re-read the properties then.
class PreferenceManager : public QObject
{
    Q_OBJECT
    Q_PROPERTY(
        bool setAutoLaunchWhenStart READ setAutoLaunchWhenStart WRITE setSetAutoLaunchWhenStart NOTIFY objectWillChange)
    Q_PROPERTY(QString setAppThemeMode READ setAppThemeMode WRITE setSetAppThemeMode NOTIFY objectWillChange)
    Q_PROPERTY(QString setApplanguage READ setApplanguage WRITE setSetApplanguage NOTIFY objectWillChange)
    Q_PROPERTY(bool setShowIPAddress READ setShowIPAddress WRITE setSetShowIPAddress NOTIFY objectWillChange)
    Q_PROPERTY(bool setShowUUID READ setShowUUID WRITE setSetShowUUID NOTIFY objectWillChange)
    Q_PROPERTY(bool setSerialNumber READ setSerialNumber WRITE setSetSerialNumber NOTIFY objectWillChange)
    Q_PROPERTY(QString setAppBgStyle READ setAppBgStyle WRITE setSetAppBgStyle NOTIFY objectWillChange)

public:
    // configDirectory: the folder of preferences.json; systemLocale decides the default language.
    explicit PreferenceManager(const QString &configDirectory = PreferenceFile::defaultDirectory(),
        const QLocale &systemLocale = QLocale::system(), QObject *parent = nullptr);

    // The one process-wide instance over the user's own file, created on first use and never
    // destroyed. It lives on the main thread whichever thread asks first.
    static PreferenceManager *shared();

    // "zh-Hans" for a Chinese system, its own code for English, Japanese and Malay, else "en".
    static QString defaultLanguage(const QLocale &systemLocale);

    bool setAutoLaunchWhenStart() const { return m_autoLaunchWhenStart.value; }
    QString setAppThemeMode() const { return m_appThemeMode.value; }
    QString setApplanguage() const { return m_applanguage.value; }
    bool setShowIPAddress() const { return m_showIPAddress.value; }
    bool setShowUUID() const { return m_showUUID.value; }
    bool setSerialNumber() const { return m_serialNumber.value; }
    QString setAppBgStyle() const { return m_appBgStyle.value; }

    void setSetAutoLaunchWhenStart(bool value);
    void setSetAppThemeMode(const QString &value);
    void setSetApplanguage(const QString &value);
    void setSetShowIPAddress(bool value);
    void setSetShowUUID(bool value);
    void setSetSerialNumber(bool value);
    void setSetAppBgStyle(const QString &value);

    // Saved frames of the auxiliary windows, by frame name; not preferences, so no signal.
    std::optional<QRect> windowFrame(const QString &name) const;
    void setWindowFrame(const QString &name, const QRect &frame);

    QString filePath() const { return m_file.path(); }

signals:
    void objectWillChange();

private:
    template<typename Value> void write(PreferenceStorage<Value> &storage, const Value &value);

    PreferenceFile m_file;
    PreferenceStorage<bool> m_autoLaunchWhenStart;
    PreferenceStorage<QString> m_appThemeMode;
    PreferenceStorage<QString> m_applanguage;
    PreferenceStorage<bool> m_showIPAddress;
    PreferenceStorage<bool> m_showUUID;
    PreferenceStorage<bool> m_serialNumber;
    PreferenceStorage<QString> m_appBgStyle;
};
