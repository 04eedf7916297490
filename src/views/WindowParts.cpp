// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowParts.h"

#include "SymbolImage.h"
#include "SystemColors.h"
#include "platform/UrlSchemeHandlers.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

class Divider : public QWidget
{
public:
    explicit Divider(QWidget *parent)
        : QWidget(parent)
    {
        setFixedHeight(1);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

protected:
    void paintEvent(QPaintEvent * /*event*/) override
    {
        QPainter painter(this);
        QColor line = palette().color(QPalette::WindowText);
        line.setAlphaF(0.14F);
        painter.fillRect(rect(), line);
    }
};

} // namespace

QFont WindowParts::font(qreal points, QFont::Weight weight)
{
    QFont font = QApplication::font();
    font.setPointSizeF(points);
    font.setWeight(weight);
    return font;
}

QLabel *WindowParts::heading(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(font(13, QFont::DemiBold));
    return label;
}

QLabel *WindowParts::note(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    // At the top of whatever height the layout gives it, right under its control.
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFont(font(10.5, QFont::Normal));
    return label;
}

QWidget *WindowParts::divider(QWidget *parent)
{
    return new Divider(parent);
}

void WindowParts::fitHeight(QLabel *label, int width)
{
    QSizePolicy policy = label->sizePolicy();
    policy.setHeightForWidth(false);
    label->setSizePolicy(policy);
    label->setFixedHeight(label->heightForWidth(width));
}

void WindowParts::tint(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    for (const auto role : { QPalette::WindowText, QPalette::ButtonText, QPalette::Text }) {
        palette.setColor(QPalette::Active, role, colour);
        palette.setColor(QPalette::Inactive, role, colour);
    }
    widget->setPalette(palette);
}

bool WindowParts::openLink(const QString &link, const QString &fallback)
{
    const QUrl url(link);
    const bool webLink = url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
    if (webLink) {
        return QDesktopServices::openUrl(url);
    }
    if (!fallback.isEmpty() && !UrlSchemeHandlers().hasHandler(url.scheme())) {
        return QDesktopServices::openUrl(QUrl(fallback));
    }
    // QUrl writes host names in lower case, and a software centre looks "appstream://" ids up
    // as written: hand the text over unchanged where xdg-open can take it.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty()) {
        return QProcess::startDetached(opener, { link });
    }
    return QDesktopServices::openUrl(url);
}

LinkButton::LinkButton(const QString &link, const QString &fallback, QWidget *parent)
    : QToolButton(parent)
    , m_link(link)
    , m_fallback(fallback)
{
    setAutoRaise(true);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setFont(WindowParts::font(12, QFont::Normal));
    setIconSize(QSize(16, 16));
    setToolTip(link);
    connect(this, &QToolButton::clicked, this, [this] { WindowParts::openLink(m_link, m_fallback); });
    recolour();
}

void LinkButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange && !m_recolouring) {
        recolour();
    }
    QToolButton::changeEvent(event);
}

void LinkButton::recolour()
{
    m_recolouring = true;
    // The blue of the parent's scheme: our own palette holds the tint set last time.
    const QPalette scheme = parentWidget() ? parentWidget()->palette() : QApplication::palette();
    const QColor blue = SystemColors::blue(scheme);
    WindowParts::tint(this, blue);
    setIcon(SymbolImage::icon(QStringLiteral("link.circle.fill"), blue));
    m_recolouring = false;
}
