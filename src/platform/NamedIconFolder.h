// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// A private folder of icon files for panels that draw an item only by its icon name (the
// Ayatana indicator, and hosts that prefer names to pixmaps): the item's IconThemePath.
// A few names take the pictures in turn, so that the name changes with every picture (hosts
// keep what they loaded under a name) while the folder's contents stay the same; each file
// is replaced whole. The folder goes with the object.
class NamedIconFolder
{
public:
    // Under runtimeDir (the user's $XDG_RUNTIME_DIR when empty); stem names the files.
    explicit NamedIconFolder(const QString &stem, QString runtimeDir = {});
    ~NamedIconFolder();
    NamedIconFolder(const NamedIconFolder &) = delete;
    NamedIconFolder &operator=(const NamedIconFolder &) = delete;

    // GTK keeps what it loaded under a name until it next looks at the folder, which it does
    // at most every six seconds or so: a name may come back only after longer than that, or
    // the host shows a picture from three seconds ago. Ten names last ten rate changes.
    static constexpr int keptFiles = 10;

    bool isValid() const { return !m_path.isEmpty(); }
    QString path() const { return m_path; }
    // Writes the picture and returns its icon name; empty when it could not be written.
    QString publish(const QImage &image);
    QString currentName() const { return m_names.isEmpty() ? QString() : m_names.at(m_current); }
    // Removes every file and the folder; the object is no longer valid.
    void remove();

private:
    QString m_stem;
    QString m_path;
    QStringList m_names;
    int m_current = 0;
};
