// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FeedbackView.h"

#include "ImageAsset.h"
#include "SymbolImage.h"
#include "SystemColors.h"
#include "TavloConfig.h"
#include "WindowParts.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {

constexpr int kLogoSide = 90;
constexpr int kSideMargin = 40;
// The window's width: the texts wrap inside it, less the side margins.
constexpr int kWidth = 400;

QLabel *bodyText(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

// The logo with its corners rounded off.
QPixmap roundedLogo(qreal ratio)
{
    const QPixmap logo = ImageAsset::pixmap(QStringLiteral("aboutUs"), QSize(kLogoSide, kLogoSide), ratio);
    QPixmap clipped(logo.size());
    clipped.setDevicePixelRatio(ratio);
    clipped.fill(Qt::transparent);
    QPainter painter(&clipped);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath corners;
    corners.addRoundedRect(QRectF(0, 0, kLogoSide, kLogoSide), 8, 8);
    painter.setClipPath(corners);
    painter.drawPixmap(0, 0, logo);
    return clipped;
}

} // namespace

FeedbackView::FeedbackView(PreferenceManager *preference, QWidget *parent)
    : QWidget(parent)
    , m_preference(preference)
    , m_heading(WindowParts::heading(this))
    , m_logo(new QLabel(this))
    , m_title(bodyText(this))
    , m_mail(bodyText(this))
    , m_copyButton(new QToolButton(this))
    , m_help(bodyText(this))
    , m_storeLink(new LinkButton(QStringLiteral(TAVLO_STORE_URL), QStringLiteral(TAVLO_PROJECT_URL), this))
{
    setObjectName(QStringLiteral("FeedbackView"));
    m_logo->setFixedSize(kLogoSide, kLogoSide);
    m_copyButton->setAutoRaise(true);
    m_copyButton->setFocusPolicy(Qt::StrongFocus);
    m_copyButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_copyButton->setIconSize(QSize(18, 18));
    m_copyButton->setFont(WindowParts::font(11, QFont::Normal));
    m_copyButton->setCursor(Qt::PointingHandCursor);
    m_copyButton->installEventFilter(this);
    connect(m_copyButton, &QToolButton::clicked, this, &FeedbackView::copyAddress);

    // The button sits at the start of a slot as wide as it is with its caption, so the caption
    // shows beside the envelope without moving the text.
    m_copySlot = new QWidget(this);
    auto *slotLayout = new QHBoxLayout(m_copySlot);
    slotLayout->setContentsMargins(0, 0, 0, 0);
    slotLayout->addWidget(m_copyButton);
    slotLayout->addStretch(1);
    auto *addressRow = new QHBoxLayout;
    addressRow->setSpacing(5);
    addressRow->addWidget(m_mail, 1);
    addressRow->addWidget(m_copySlot, 0, Qt::AlignVCenter);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(kSideMargin, 0, kSideMargin, 0);
    body->setSpacing(8);
    body->addWidget(m_title);
    body->addLayout(addressRow);
    body->addSpacing(8);
    body->addWidget(WindowParts::divider(this));
    body->addSpacing(8);
    body->addWidget(m_help);
    body->addWidget(m_storeLink, 0, Qt::AlignLeft);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 14, 0, 16);
    layout->setSpacing(12);
    layout->addWidget(m_heading);
    layout->addWidget(m_logo, 0, Qt::AlignHCenter);
    layout->addLayout(body);
    layout->addStretch(1);
    retranslate();
}

void FeedbackView::copyAddress()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear(QClipboard::Clipboard);
    clipboard->setText(QStringLiteral(TAVLO_FEEDBACK_EMAIL), QClipboard::Clipboard);
}

bool FeedbackView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_copyButton) {
        if (event->type() == QEvent::Enter) {
            setHovered(true);
        } else if (event->type() == QEvent::Leave) {
            setHovered(false);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FeedbackView::setHovered(bool hovered)
{
    m_hovered = hovered;
    m_copyButton->setToolButtonStyle(hovered ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
}

void FeedbackView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange || event->type() == QEvent::PaletteChange) {
        retranslate();
    }
    QWidget::changeEvent(event);
}

void FeedbackView::retranslate()
{
    m_heading->setText(qtTrId("Feedback_Btn_Title"));
    m_logo->setPixmap(roundedLogo(devicePixelRatioF()));
    m_logo->setAccessibleName(QStringLiteral(TAVLO_DISPLAY_NAME));
    m_title->setText(qtTrId("Feedback_title"));
    m_mail->setText(qtTrId("Feedback_mail"));
    m_help->setText(qtTrId("Feedback_help"));
    m_storeLink->setText(qtTrId("Feedback_link"));
    m_storeLink->setAccessibleName(m_storeLink->text());

    const QString caption = qtTrId("EmailBox_copy");
    m_copyButton->setText(caption);
    m_copyButton->setAccessibleName(caption);
    m_copyButton->setToolTip(caption);
    m_copyButton->setIcon(SymbolImage::icon(QStringLiteral("envelope.circle.fill"), SystemColors::blue(palette())));
    const Qt::ToolButtonStyle style = m_copyButton->toolButtonStyle();
    m_copyButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_copySlot->setFixedWidth(m_copyButton->sizeHint().width());
    m_copyButton->setToolButtonStyle(style);

    const int column = kWidth - 2 * kSideMargin;
    WindowParts::fitHeight(m_title, column);
    WindowParts::fitHeight(m_mail, column - 5 - m_copySlot->width());
    WindowParts::fitHeight(m_help, column);
}
