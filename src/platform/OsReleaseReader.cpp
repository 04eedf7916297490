// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "OsReleaseReader.h"

#include "SysInfoFile.h"

#include <QRegularExpression>

OsReleaseReader::OsReleaseReader(QString etcRoot, QString usrLibRoot)
    : m_etcRoot(std::move(etcRoot))
    , m_usrLibRoot(std::move(usrLibRoot))
{ }

QHash<QString, QString> OsReleaseReader::load() const
{
    auto data = SysInfoFile::read(m_etcRoot + QStringLiteral("/os-release"), 64 * 1024);
    if (!data)
        data = SysInfoFile::read(m_usrLibRoot + QStringLiteral("/os-release"), 64 * 1024);
    return data ? parse(*data) : QHash<QString, QString>();
}

std::optional<QString> OsReleaseReader::value(const QString &key) const
{
    const QHash<QString, QString> values = load();
    const auto it = values.constFind(key);
    if (it == values.cend() || it->isEmpty())
        return std::nullopt;
    return *it;
}

std::optional<QString> OsReleaseReader::name() const
{
    return value(QStringLiteral("NAME"));
}

std::optional<QString> OsReleaseReader::version() const
{
    const QHash<QString, QString> values = load();
    const QString versionId = values.value(QStringLiteral("VERSION_ID"));
    const QString id = values.value(QStringLiteral("ID"));
    if (!versionId.isEmpty()) {
        if (id == QLatin1String("debian")) {
            // os-release names only the major release; the point release lives here.
            const auto point = SysInfoFile::readTrimmed(m_etcRoot + QStringLiteral("/debian_version"));
            static const QRegularExpression dotted(QStringLiteral("^\\d+(\\.\\d+)+$"));
            if (point && dotted.match(*point).hasMatch() && point->startsWith(versionId + u'.'))
                return *point;
        }
        return versionId;
    }
    const QString buildId = values.value(QStringLiteral("BUILD_ID"));
    if (!buildId.isEmpty())
        return buildId;
    return std::nullopt;
}

QHash<QString, QString> OsReleaseReader::parse(QByteArrayView text)
{
    QHash<QString, QString> values;
    const QString all = QString::fromUtf8(text);
    for (QStringView line : QStringView(all).split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed().toString();
        const QStringView raw = line.mid(equals + 1);
        QString value;
        QChar quote;
        bool escaped = false;
        for (qsizetype i = 0; i < raw.size(); ++i) {
            const QChar c = raw[i];
            if (escaped) {
                value.append(c);
                escaped = false;
            } else if (c == u'\\' && quote != u'\'') {
                escaped = true;
            } else if (quote.isNull() && (c == u'"' || c == u'\'')) {
                quote = c;
            } else if (!quote.isNull() && c == quote) {
                quote = QChar();
            } else {
                value.append(c);
            }
        }
        values.insert(key, SysInfoFile::printable(value));
    }
    return values;
}
