// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PreferenceFile.h"

#include "platform/SysInfoFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

namespace {

const QString kFileName = QStringLiteral("preferences.json");
const QString kWindowFrames = QStringLiteral("window_frames");

// A settings file is a few hundred bytes; anything this large was not written by us and is
// treated like any other file we cannot read.
constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;

} // namespace

PreferenceFile::PreferenceFile(const QString &directory)
    : m_directory(directory)
{
    load();
}

QString PreferenceFile::defaultDirectory()
{
    // GenericConfigLocation honours $XDG_CONFIG_HOME and falls back to ~/.config.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/tavlo");
}

QString PreferenceFile::path() const
{
    return m_directory + QLatin1Char('/') + kFileName;
}

void PreferenceFile::load()
{
    removeStaleTemporaryFiles();
    if (!QFileInfo::exists(path())) {
        return;
    }
    // Read without blocking: a FIFO or device in the file's place is as unreadable as garbage.
    const std::optional<QByteArray> bytes = SysInfoFile::read(path(), kMaxFileSize + 1);
    if (!bytes || bytes->size() > kMaxFileSize) {
        m_unreadable = true;
        return;
    }
    std::optional<QJsonObject> values = parse(*bytes);
    if (!values) {
        m_unreadable = true;
        return;
    }
    m_values = std::move(*values);
}

std::optional<QJsonObject> PreferenceFile::parse(const QByteArray &bytes)
{
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    return document.object();
}

QByteArray PreferenceFile::serialise(const QJsonObject &values)
{
    // Qt's reader drops a byte-order mark that starts a string, so one written as raw UTF-8
    // would vanish from its key or value on the next start; written escaped it stays.
    QByteArray bytes = QJsonDocument(values).toJson(QJsonDocument::Indented);
    bytes.replace("\xef\xbb\xbf", "\\ufeff");
    return bytes;
}

void PreferenceFile::removeStaleTemporaryFiles()
{
    // A write killed between creating its temporary file and the rename leaves the temporary
    // file behind ("preferences.json.XXXXXX"). Only one instance runs, so any there now is stale.
    const QDir directory(m_directory);
    const QStringList pattern { kFileName + QStringLiteral(".??????") };
    for (const QString &name : directory.entryList(pattern, QDir::Files | QDir::Hidden | QDir::System)) {
        const QStringView suffix = QStringView(name).mid(kFileName.size() + 1);
        if (std::all_of(
                suffix.begin(), suffix.end(), [](QChar c) { return c.isLetterOrNumber() && c.unicode() < 0x80; }))
            QFile::remove(directory.filePath(name));
    }
}

QJsonValue PreferenceFile::value(const QString &key) const
{
    return m_values.value(key);
}

bool PreferenceFile::setValue(const QString &key, const QJsonValue &value)
{
    m_values.insert(key, value);
    return write();
}

std::optional<QRect> PreferenceFile::windowFrame(const QString &name) const
{
    const QJsonObject frame = m_values.value(kWindowFrames).toObject().value(name).toObject();
    const QJsonValue x = frame.value(QStringLiteral("x"));
    const QJsonValue y = frame.value(QStringLiteral("y"));
    const QJsonValue width = frame.value(QStringLiteral("width"));
    const QJsonValue height = frame.value(QStringLiteral("height"));
    if (!x.isDouble() || !y.isDouble() || !width.isDouble() || !height.isDouble()) {
        return std::nullopt;
    }
    const QRect rect(x.toInt(), y.toInt(), width.toInt(), height.toInt());
    if (rect.width() <= 0 || rect.height() <= 0) {
        return std::nullopt;
    }
    return rect;
}

bool PreferenceFile::setWindowFrame(const QString &name, const QRect &frame)
{
    QJsonObject frames = m_values.value(kWindowFrames).toObject();
    frames.insert(name,
        QJsonObject { { QStringLiteral("x"), frame.x() }, { QStringLiteral("y"), frame.y() },
            { QStringLiteral("width"), frame.width() }, { QStringLiteral("height"), frame.height() } });
    m_values.insert(kWindowFrames, frames);
    return write();
}

bool PreferenceFile::moveUnreadableFileAside()
{
    // The user may have hand-edited the file and made a typo: keep it where they can find it
    // instead of overwriting it with our defaults.
    const QString stamp = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    QString target = path() + QStringLiteral(".bad-") + stamp;
    for (int n = 1; QFileInfo::exists(target); ++n) {
        target = path() + QStringLiteral(".bad-") + stamp + QLatin1Char('-') + QString::number(n);
    }
    if (!QFile::rename(path(), target)) {
        return false;
    }
    m_setAsidePath = target;
    m_unreadable = false;
    return true;
}

bool PreferenceFile::write()
{
    if (!QDir().mkpath(m_directory)) {
        return false;
    }
    QFile::setPermissions(m_directory, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (m_unreadable && QFileInfo::exists(path()) && !moveUnreadableFileAside()) {
        // Never replace a file we could not read and could not keep.
        return false;
    }
    m_unreadable = false;

    QSaveFile file(path());
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QByteArray bytes = serialise(m_values);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    // commit() flushes the temporary file to disk before renaming it over the old one.
    return file.commit();
}
