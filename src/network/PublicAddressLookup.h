// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>
#include <chrono>
#include <functional>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;

// Asks the public address endpoint for this machine's address. The endpoint answers with a
// script assignment, `var returnCitySN = {"cip": "203.0.113.7", ...};`. The result is
// "IP: <address>", or "" when anything at all goes wrong; the text is untrusted and must be
// shown as plain text.
class PublicAddressLookup : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds defaultTimeout { 10000 };
    static constexpr qint64 maxReplyBytes = 64 * 1024;

    explicit PublicAddressLookup(QObject *parent = nullptr);
    ~PublicAddressLookup() override;

    // The build's endpoint.
    static QUrl defaultEndpoint();

    // Starts a request; finished() follows exactly once, on this object's thread. A request
    // still running is abandoned (its result is never delivered).
    void fetch(const QUrl &endpoint = defaultEndpoint(), std::chrono::milliseconds timeout = defaultTimeout);

    // The reply body as received, to the result text.
    static QString parseReply(const QByteArray &body);

    // The address as shown, or nothing when the text is not one IPv4 or IPv6 address.
    static std::optional<QString> addressText(const QString &text);

signals:
    void finished(const QString &text);

private:
    void finish(QNetworkReply *reply, const QString &text);

    QNetworkAccessManager *m_network;
    QNetworkReply *m_reply = nullptr;
};

// One lookup, at the build's endpoint unless told otherwise; `done` runs on the context's
// thread, and not at all if the context is destroyed first.
void fetchPublicIP(QObject *context, std::function<void(const QString &)> done,
    const QUrl &endpoint = PublicAddressLookup::defaultEndpoint());
