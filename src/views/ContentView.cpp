// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ContentView.h"

#include "AppearanceController.h"
#include "FooterView.h"
#include "FunctionView.h"
#include "GroupBox.h"
#include "HeaderView.h"
#include "ImageAsset.h"
#include "RegionStackLayout.h"
#include "ScrollableView.h"
#include "SystemColors.h"
#include "SystemInfoView.h"
#include "ToggleView.h"
#include "preferences/PreferenceManager.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLinearGradient>
#include <QPainter>

namespace {

QWidget *makeHeaderRow(PreferenceManager *preference, QWidget *parent)
{
    auto *row = new QWidget(parent);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->setAlignment(Qt::AlignCenter);
    // Left: machine name and public address; right: operating system name and version.
    // The boxes hug their content, so that they line up with the hardware card's below.
    for (QWidget *content : std::initializer_list<QWidget *> { new HeaderView(preference), new SystemInfoView }) {
        GroupBox *box = GroupBox::around(content);
        box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        layout->addWidget(box);
    }
    return row;
}

} // namespace

ContentView::ContentView(PreferenceManager *preference, QWidget *parent)
    : QWidget(parent)
    , m_preference(preference)
{
    setObjectName(QStringLiteral("ContentView"));
    setFixedSize(kWidth, kHeight);
    AppearanceController::attach(preference);

    auto *stack = new RegionStackLayout(this);
    stack->setContentsMargins(kPadding, kPadding, kPadding, kPadding);
    // Paddings and drawing offsets of the four regions; the offsets pull the stack, which is
    // taller than the frame, into view without changing its layout.
    stack->addRegion(makeHeaderRow(preference, this), 6, 3, 35);
    stack->addRegion(new ToggleView(preference, nullptr, nullptr, this), 0, 0, 32);
    m_scrollableView = new ScrollableView(true, false, this);
    stack->addRegion(m_scrollableView, 3, 2, 34);
    m_footerView = new FooterView(this);
    // The actions fill their box edge to edge, so it lines up with the cards beside it.
    GroupBox *actions = GroupBox::around(new FunctionView);
    actions->layout()->setContentsMargins(0, 0, 0, 0);
    m_footerView->setActions(actions);
    stack->addRegion(m_footerView, 1, 8, 0);

    connect(m_preference, &PreferenceManager::objectWillChange, this, &ContentView::applyPreferences);
    applyPreferences();
}

QString ContentView::backgroundImageName(const QString &style)
{
    if (style == QLatin1String("ShapeStyle")) {
        return QStringLiteral("AnimeStyle");
    }
    if (style == QLatin1String("CartoonStyle")) {
        return QStringLiteral("cartoonStyle");
    }
    if (style == QLatin1String("MontereyStyle")) {
        return QStringLiteral("Monterey");
    }
    if (style == QLatin1String("BigSurStyle")) {
        return QStringLiteral("BigSur");
    }
    return {};
}

void ContentView::applyPreferences()
{
    m_backgroundStyle = m_preference->setAppBgStyle();
    setLocale(AppearanceController::locale(m_preference->setApplanguage()));
    update();
}

void ContentView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::LanguageChange) {
        update();
    }
    QWidget::changeEvent(event);
}

void ContentView::paintGradient(QPainter &painter) const
{
    // From the top trailing corner to the bottom leading one.
    const bool leftToRight = layoutDirection() == Qt::LeftToRight;
    const QPointF start = leftToRight ? QPointF(width(), 0) : QPointF(0, 0);
    const QPointF end = leftToRight ? QPointF(0, height()) : QPointF(width(), height());
    QLinearGradient gradient(start, end);
    const auto withOpacity = [](QColor colour, qreal opacity) {
        colour.setAlphaF(float(opacity));
        return colour;
    };
    gradient.setColorAt(0.0, withOpacity(SystemColors::blue(palette()), 0.9));
    gradient.setColorAt(0.5, withOpacity(SystemColors::green(palette()), 0.75));
    gradient.setColorAt(1.0, withOpacity(SystemColors::purple(palette()), 0.9));
    painter.fillRect(rect(), gradient);
}

void ContentView::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    if (m_backgroundStyle == QLatin1String("GradientStyle")) {
        paintGradient(painter);
        return;
    }
    const QString image = backgroundImageName(m_backgroundStyle);
    if (image.isEmpty()) {
        return;
    }
    const qreal ratio = devicePixelRatioF();
    const QString key = QStringLiteral("%1@%2x%3x%4").arg(image).arg(width()).arg(height()).arg(ratio);
    if (key != m_backgroundCacheKey) {
        m_backgroundCache = QPixmap(size() * ratio);
        m_backgroundCache.fill(Qt::transparent);
        QPainter cachePainter(&m_backgroundCache);
        ImageAsset::paintFilling(cachePainter, image, QRectF(QPointF(0, 0), QSizeF(m_backgroundCache.size())));
        cachePainter.end();
        m_backgroundCache.setDevicePixelRatio(ratio);
        m_backgroundCacheKey = key;
    }
    painter.drawPixmap(0, 0, m_backgroundCache);
    // "DefaultStyle" and unknown styles paint nothing: the popover's own background shows.
}
