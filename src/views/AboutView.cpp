// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AboutView.h"

#include "ImageAsset.h"
#include "SystemColors.h"
#include "TavloConfig.h"
#include "WindowParts.h"
#include "system/AppInfoManager.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QVBoxLayout>

namespace {
constexpr int kLogoSide = 90;
constexpr int kWidth = 400;
constexpr int kSideMargin = 24;
} // namespace

GradientLabel::GradientLabel(QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignCenter);
}

void GradientLabel::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF area = contentsRect();
    const bool leftToRight = layoutDirection() == Qt::LeftToRight;
    const QPointF start = leftToRight ? area.bottomLeft() : area.bottomRight();
    const QPointF end(leftToRight ? area.right() : area.left(), area.center().y());
    QLinearGradient gradient(start, end);
    const QPalette scheme = palette();
    gradient.setColorAt(0.0, SystemColors::yellow(scheme));
    gradient.setColorAt(1.0 / 3.0, SystemColors::blue(scheme));
    gradient.setColorAt(2.0 / 3.0, SystemColors::purple(scheme));
    gradient.setColorAt(1.0, SystemColors::red(scheme));
    painter.setPen(QPen(QBrush(gradient), 1.0));
    painter.setFont(font());
    painter.drawText(area, int(alignment()) | (wordWrap() ? int(Qt::TextWordWrap) : 0), text());
}

AboutView::AboutView(PreferenceManager *preference, QWidget *parent)
    : QWidget(parent)
    , m_preference(preference)
    , m_heading(WindowParts::heading(this))
    , m_logo(new QLabel(this))
    , m_name(new GradientLabel(this))
    , m_version(new GradientLabel(this))
    , m_privacyLink(new LinkButton(QStringLiteral(TAVLO_PRIVACY_POLICY_URL), QString(), this))
    , m_note(new GradientLabel(this))
{
    setObjectName(QStringLiteral("AboutView"));
    m_logo->setFixedSize(kLogoSide, kLogoSide);
    m_name->setFont(WindowParts::font(15, QFont::DemiBold));
    m_version->setFont(WindowParts::font(13, QFont::Bold));
    m_note->setFont(WindowParts::font(10, QFont::DemiBold));
    m_note->setWordWrap(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(kSideMargin, 14, kSideMargin, 16);
    layout->setSpacing(12);
    layout->addWidget(m_heading);
    layout->addSpacing(6);
    layout->addWidget(m_logo, 0, Qt::AlignHCenter);
    layout->addSpacing(4);
    layout->addWidget(m_name, 0, Qt::AlignHCenter);
    layout->addWidget(m_version, 0, Qt::AlignHCenter);
    layout->addWidget(m_privacyLink, 0, Qt::AlignHCenter);
    layout->addWidget(m_note);
    layout->addStretch(1);
    retranslate();
}

QString AboutView::versionText(const QString &version)
{
    return QStringLiteral("Version : ") + version;
}

QString AboutView::privacyNote(const QString &appName, const QString &tip)
{
    return appName + QLatin1Char(' ') + tip;
}

void AboutView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange || event->type() == QEvent::PaletteChange) {
        retranslate();
    }
    QWidget::changeEvent(event);
}

void AboutView::retranslate()
{
    const AppInfoManager &info = AppInfoManager::shared();
    m_heading->setText(qtTrId("About_Btn_Title"));
    m_logo->setPixmap(ImageAsset::pixmap(QStringLiteral("aboutUs"), m_logo->size(), devicePixelRatioF()));
    m_logo->setAccessibleName(info.appName());
    m_name->setText(info.appName());
    m_version->setText(versionText(info.appVersion()));
    m_privacyLink->setText(qtTrId("Privacy_Policy_Title"));
    m_privacyLink->setAccessibleName(m_privacyLink->text());
    m_note->setText(privacyNote(info.appName(), qtTrId("Privacy_Tip")));
    WindowParts::fitHeight(m_note, kWidth - 2 * kSideMargin);
}
