// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QRect>
#include <QString>
#include <optional>

// The per-user key-value store: typed JSON values in <config dir>/preferences.json.
// Every change rewrites the whole file through a temporary file and a rename, so a crash or a
// power cut leaves either the old or the new file, never a torn one. Keys this version does not
// know, and values of an unexpected type, are carried over untouched on every write.
class PreferenceFile
{
public:
    // directory: the folder that holds preferences.json; created (mode 0700) on the first write.
    explicit PreferenceFile(const QString &directory = defaultDirectory());

    // $XDG_CONFIG_HOME/tavlo, else ~/.config/tavlo.
    static QString defaultDirectory();

    QString path() const;

    // The stored value; undefined when the key is absent.
    QJsonValue value(const QString &key) const;

    // Stores the value and rewrites the file at once. False when the file could not be written;
    // the value is kept in memory all the same.
    bool setValue(const QString &key, const QJsonValue &value);

    // Saved window frames, kept in the same file under "window_frames".
    std::optional<QRect> windowFrame(const QString &name) const;
    bool setWindowFrame(const QString &name, const QRect &frame);

    // Where a file that could not be parsed was moved before the first write (empty if none).
    QString setAsidePath() const { return m_setAsidePath; }

    // The file's contents as read and as written; nothing when the bytes are not a JSON object.
    static std::optional<QJsonObject> parse(const QByteArray &bytes);
    static QByteArray serialise(const QJsonObject &values);

private:
    void load();
    void removeStaleTemporaryFiles();
    bool moveUnreadableFileAside();
    bool write();

    QString m_directory;
    QJsonObject m_values;
    bool m_unreadable = false;
    QString m_setAsidePath;
};
