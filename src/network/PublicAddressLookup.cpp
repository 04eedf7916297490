// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PublicAddressLookup.h"

#include "TavloConfig.h"

#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTimer>

PublicAddressLookup::PublicAddressLookup(QObject *parent)
    : QObject(parent)
    , m_network(new QNetworkAccessManager(this))
{
    // No cookie is ever stored or sent: the manager has no jar to keep them in.
    m_network->setCookieJar(nullptr);
    m_network->setAutoDeleteReplies(false);
}

PublicAddressLookup::~PublicAddressLookup()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

QUrl PublicAddressLookup::defaultEndpoint()
{
    return QUrl(QStringLiteral(TAVLO_PUBLIC_IP_ENDPOINT));
}

std::optional<QString> PublicAddressLookup::addressText(const QString &text)
{
    // Whatever the server says is shown only if it is an address: plain dotted IPv4 or IPv6
    // without a zone, nothing around it. QHostAddress alone would take "1.2" or "0x7f.1".
    static const QRegularExpression ipv4(QStringLiteral("\\A(?:(?:25[0-5]|2[0-4]\\d|1\\d\\d|[1-9]?\\d)\\.){3}"
                                                        "(?:25[0-5]|2[0-4]\\d|1\\d\\d|[1-9]?\\d)\\z"));
    static const QRegularExpression ipv6(QStringLiteral("\\A[0-9A-Fa-f:.]{2,45}\\z"));
    if (ipv4.match(text).hasMatch())
        return text;
    QHostAddress address;
    if (!text.contains(u':') || !ipv6.match(text).hasMatch() || !address.setAddress(text)
        || address.protocol() != QAbstractSocket::IPv6Protocol)
        return std::nullopt;
    return address.toString();
}

QString PublicAddressLookup::parseReply(const QByteArray &body)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString content = decoder.decode(body);
    if (decoder.hasError())
        return {};
    const QString prefix = QStringLiteral("var returnCitySN = ");
    if (!content.startsWith(prefix))
        return {};
    QString json = content.mid(prefix.size());
    // Exactly one character follows the object, normally ";".
    json.chop(1);
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return {};
    const QJsonValue cip = document.object().value(QStringLiteral("cip"));
    const std::optional<QString> address = cip.isString() ? addressText(cip.toString()) : std::nullopt;
    if (!address)
        return {};
    return QStringLiteral("IP: ") + *address;
}

void PublicAddressLookup::fetch(const QUrl &endpoint, std::chrono::milliseconds timeout)
{
    if (m_reply) {
        QNetworkReply *old = std::exchange(m_reply, nullptr);
        old->disconnect(this);
        old->abort();
        old->deleteLater();
    }
    if (!endpoint.isValid()
        || (endpoint.scheme() != QLatin1String("http") && endpoint.scheme() != QLatin1String("https"))) {
        QMetaObject::invokeMethod(
            this, [this] { emit finished(QString()); }, Qt::QueuedConnection);
        return;
    }

    QNetworkRequest request(endpoint);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);

    QNetworkReply *reply = m_network->get(request);
    m_reply = reply;

    // A redirect may only move within the endpoint's own host and scheme.
    connect(reply, &QNetworkReply::redirected, this, [this, reply, endpoint](const QUrl &target) {
        if (target.host().compare(endpoint.host(), Qt::CaseInsensitive) == 0 && target.scheme() == endpoint.scheme()
            && target.port(-1) == endpoint.port(-1)) {
            emit reply->redirectAllowed();
            return;
        }
        finish(reply, QString());
    });
    // Abort as soon as the reply outgrows the cap rather than buffer a flood.
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > maxReplyBytes)
            finish(reply, QString());
    });
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] {
        if (reply->bytesAvailable() > maxReplyBytes)
            finish(reply, QString());
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        if (reply != m_reply)
            return;
        const bool ok = reply->error() == QNetworkReply::NoError
            && reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() == 200;
        const QByteArray body = ok ? reply->read(maxReplyBytes + 1) : QByteArray();
        finish(reply, ok && body.size() <= maxReplyBytes ? parseReply(body) : QString());
    });

    // The whole exchange, not just a quiet spell: a server that trickles a byte now and then
    // must not hold the lookup open.
    auto *timer = new QTimer(reply);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, [this, reply] { finish(reply, QString()); });
    timer->start(timeout);
}

void PublicAddressLookup::finish(QNetworkReply *reply, const QString &text)
{
    if (reply != m_reply)
        return;
    m_reply = nullptr;
    reply->disconnect(this);
    if (reply->isRunning())
        reply->abort();
    reply->deleteLater();
    emit finished(text);
}

void fetchPublicIP(QObject *context, std::function<void(const QString &)> done, const QUrl &endpoint)
{
    auto *lookup = new PublicAddressLookup(context);
    QObject::connect(
        lookup, &PublicAddressLookup::finished, lookup, [lookup, done = std::move(done)](const QString &text) {
            if (done)
                done(text);
            lookup->deleteLater();
        });
    lookup->fetch(endpoint);
}
