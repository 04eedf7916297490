// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FlipCard.h"

#include "FlipEffect.h"
#include "GroupBox.h"
#include "PanelFont.h"
#include "RingGauge.h"
#include "SystemColors.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVariantAnimation>
#include <algorithm>
#include <cmath>

namespace {

// A button to screen readers, whose press turns the card.
class FlipCardAccessible : public QAccessibleWidget
{
public:
    explicit FlipCardAccessible(FlipCard *card)
        : QAccessibleWidget(card, QAccessible::Button)
    { }

    QStringList actionNames() const override
    {
        return QStringList { pressAction() } + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &name) override
    {
        if (name == pressAction()) {
            static_cast<FlipCard *>(widget())->toggle();
            return;
        }
        QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface *flipCardAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("FlipCard") && object && object->isWidgetType()) {
        return new FlipCardAccessible(static_cast<FlipCard *>(object));
    }
    return nullptr;
}

double clampedShare(double share)
{
    return std::isfinite(share) ? std::clamp(share, 0.0, 1.0) : 0.0;
}

// Draws a laid-out text centred in `box`.
void drawCentred(QPainter &painter, const QRectF &box, const QStaticText &text)
{
    const QSizeF size = text.size();
    painter.drawStaticText(QPointF(box.center().x() - size.width() / 2, box.center().y() - size.height() / 2), text);
}

// Pie and legend geometry of the pie face, in card coordinates.
constexpr QPointF kPieCentre(76, 52);
constexpr qreal kPieRadius = 50;

} // namespace

FlipCard::FlipCard(const Labels &labels, QWidget *parent)
    : QWidget(parent)
    , m_labels(labels)
    , m_effect(new FlipEffect(this))
    , m_animation(new QVariantAnimation(this))
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(flipCardAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);

    setFixedSize(kSize);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    // At rest on the face the angle calls for from the first frame on.
    m_effect->setFlipped(FlipEffect::flippedAt(m_angle));
    connect(m_effect, &FlipEffect::flippedChanged, this, [this] {
        update();
        updateAccessibleTexts();
        emit turned();
    });
    m_animation->setDuration(kDurationMs);
    m_animation->setEasingCurve(QEasingCurve::InOutQuad);
    connect(m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        m_angle = value.toDouble();
        update();
    });
    updateFonts();
    updateAccessibleTexts();
}

void FlipCard::updateFonts()
{
    m_titleFont = PanelFont::make(font(), 12, QFont::Medium);
    m_rowFont = PanelFont::make(font(), 11, QFont::Medium);
    m_legendFont = PanelFont::monospaced(10, QFont::Normal);
    m_ringFont = PanelFont::make(font(), 10, QFont::DemiBold);
    update();
}

void FlipCard::setFigures(const Figures &figures)
{
    // A share that moved by less than the pie and the ring can show changes nothing drawn.
    Figures drawn = figures;
    if (std::abs(drawn.share - m_figures.share) < 1.0 / (360 * 16)) {
        drawn.share = m_figures.share;
    }
    if (drawn == m_figures) {
        return;
    }
    // At rest on the ring face only what changed is painted again: the figures move every
    // second, the rest of the card does not.
    if (!m_effect->flipped() || m_animation->state() == QAbstractAnimation::Running) {
        update();
    } else {
        const RingLayout layout = ringLayout();
        // The stroke's antialiased edge reaches a pixel past the ring's box.
        const auto area = [](const QRectF &box) { return box.toAlignedRect().adjusted(-1, -1, 1, 1); };
        if (drawn.share != m_figures.share || figures.percent != m_figures.percent) {
            update(area(layout.ring));
        }
        if (figures.firstRow != m_figures.firstRow) {
            update(area(layout.firstRow));
        }
        if (figures.secondRow != m_figures.secondRow) {
            update(area(layout.secondRow));
        }
    }
    m_figures = figures;
    updateAccessibleTexts();
}

bool FlipCard::showsPieFace() const
{
    return !m_effect->flipped();
}

void FlipCard::toggle()
{
    m_flip = !m_flip;
    // From wherever a running turn is now, so a quick second click turns straight back.
    m_animation->stop();
    m_animation->setStartValue(m_angle);
    m_animation->setEndValue(m_flip ? 0.0 : 180.0);
    m_animation->start();
}

QString FlipCard::accessibleText(const QString &title, const QString &usedLabel, const QString &percent)
{
    return QStringList { title, usedLabel, percent }.join(QLatin1Char(' ')).simplified();
}

QStringList FlipCard::faceTexts() const
{
    if (showsPieFace()) {
        return { qtTrId("App_Used"), m_figures.used, qtTrId("App_Unused"), m_figures.free };
    }
    return { qtTrId(m_labels.title), m_figures.percent, qtTrId(m_labels.firstRow), m_figures.firstRow,
        qtTrId(m_labels.secondRow), m_figures.secondRow };
}

void FlipCard::updateAccessibleTexts()
{
    setAccessibleName(accessibleText(qtTrId(m_labels.title), qtTrId("App_Used"), m_figures.percent));
    setAccessibleDescription(faceTexts().join(QLatin1Char(' ')));
}

void FlipCard::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QTransform turn = m_effect->effectValue(m_angle, width(), height());
    // At rest the transform is the identity; leaving it unset keeps text on the fast path.
    if (!turn.isIdentity()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.setTransform(turn);
    }
    const bool ringFace = m_effect->flipped();
    painter.drawPixmap(0, 0, backdrop(ringFace, painter.device()->devicePixelRatioF()));
    if (hasFocus() && m_focusRing) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), GroupBox::kRadius, GroupBox::kRadius);
    }
    if (ringFace) {
        paintRingFace(painter, event->rect());
    } else {
        paintPieFace(painter);
    }
}

FlipCard::RingLayout FlipCard::ringLayout() const
{
    const qreal titleHeight = QFontMetricsF(m_titleFont).height();
    const qreal rowHeight = QFontMetricsF(m_rowFont).height();
    const qreal ringSide = RingGauge::kDiameter + RingGauge::kLineWidth;
    const qreal blockHeight = ringSide + 5 + titleHeight + 5 + rowHeight + m_labels.rowSpacing + rowHeight + 2.5;
    qreal y = (height() - blockHeight) / 2;
    RingLayout layout;
    layout.ring = QRectF((width() - ringSide) / 2, y, ringSide, ringSide);
    y += ringSide + 5;
    layout.title = QRectF(6, y, width() - 12, titleHeight);
    y += titleHeight + 5;
    layout.firstRow = QRectF(6, y, width() - 12, rowHeight);
    y += rowHeight + m_labels.rowSpacing;
    layout.secondRow = QRectF(6, y, width() - 12, rowHeight);
    return layout;
}

const QPixmap &FlipCard::backdrop(bool ringFace, qreal ratio) const
{
    const QString title = qtTrId(m_labels.title);
    const QPalette &colours = palette();
    BackdropKey key { ringFace, ratio, title, colours.color(QPalette::WindowText).rgba(),
        SystemColors::groupFill(colours).rgba(), m_titleFont };
    if (key == m_backdropKey && !m_backdrop.isNull()) {
        return m_backdrop;
    }
    m_backdrop = QPixmap(size() * ratio);
    m_backdrop.setDevicePixelRatio(ratio);
    m_backdrop.fill(Qt::transparent);
    QPainter painter(&m_backdrop);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(QPen(SystemColors::groupBorder(colours), 1.0));
    painter.setBrush(SystemColors::groupFill(colours));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), GroupBox::kRadius, GroupBox::kRadius);
    if (ringFace) {
        const RingLayout layout = ringLayout();
        const QColor colour = colours.color(QPalette::WindowText);
        RingGauge::paintRing(painter, layout.ring, 0, colour, RingGauge::Part::Track);
        painter.setPen(colour);
        painter.setFont(m_titleFont);
        drawCentred(painter, layout.title, text(3, title, m_titleFont, layout.title.width()));
    }
    painter.end();
    m_backdropKey = std::move(key);
    return m_backdrop;
}

const QStaticText &FlipCard::text(int slot, const QString &text, const QFont &font, qreal room) const
{
    CachedText &cached = m_texts.at(std::size_t(slot));
    if (cached.text != text || cached.font != font || cached.room != room || cached.laidOut.text().isNull()) {
        // Laid out once; only a text too long for the card (a long translation, a huge disk)
        // is measured again, shortened in the middle.
        cached = { text, font, room, QStaticText(text) };
        cached.laidOut.setTextFormat(Qt::PlainText);
        cached.laidOut.prepare(QTransform(), font);
        if (cached.laidOut.size().width() > room) {
            cached.laidOut.setText(QFontMetricsF(font).elidedText(text, Qt::ElideMiddle, room));
            cached.laidOut.prepare(QTransform(), font);
        }
    }
    return cached.laidOut;
}

void FlipCard::paintPieFace(QPainter &painter) const
{
    const double share = clampedShare(m_figures.share);
    const QColor used = SystemColors::purple(palette());
    const QColor free = SystemColors::green(palette());
    const QRectF pie(kPieCentre - QPointF(kPieRadius, kPieRadius), QSizeF(2 * kPieRadius, 2 * kPieRadius));
    painter.setPen(Qt::NoPen);
    // Both wedges run clockwise from twelve o'clock; Qt counts 1/16 degrees anticlockwise.
    const int usedSpan = int(std::lround(share * 360 * 16));
    painter.setBrush(free);
    painter.drawPie(pie, 90 * 16 - usedSpan, -(360 * 16 - usedSpan));
    if (usedSpan > 0) {
        painter.setBrush(used);
        painter.drawPie(pie, 90 * 16, -usedSpan);
    }

    painter.setFont(m_legendFont);
    const qreal rowHeight = std::max<qreal>(QFontMetricsF(m_legendFont).height(), 10);
    const qreal secondTop = height() - 2 - rowHeight;
    const qreal firstTop = secondTop - 3 - rowHeight;
    const qreal gap = 4;
    const qreal room = width() - 10 - (10 + gap);
    const auto row = [&](int slot, qreal top, const QColor &colour, const QString &label, const QString &value) {
        const QStaticText &line = text(slot, label + QLatin1Char(' ') + value, m_legendFont, room);
        qreal x = std::max<qreal>(5, (width() - (10 + gap + line.size().width())) / 2);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawRoundedRect(QRectF(x, top + (rowHeight - 10) / 2, 10, 10), 3, 3);
        x += 10 + gap;
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawStaticText(QPointF(x, top + (rowHeight - line.size().height()) / 2), line);
    };
    row(0, firstTop, used, qtTrId("App_Used"), m_figures.used);
    row(1, secondTop, free, qtTrId("App_Unused"), m_figures.free);
}

void FlipCard::paintRingFace(QPainter &painter, const QRect &exposed) const
{
    const RingLayout layout = ringLayout();
    const QColor colour = palette().color(QPalette::WindowText);
    // During a turn the painter is transformed and the exposed area is the whole card.
    const auto shows
        = [&](const QRectF &box) { return exposed.intersects(box.toAlignedRect().adjusted(-1, -1, 1, 1)); };
    painter.setPen(colour);
    if (shows(layout.ring)) {
        RingGauge::paintRing(painter, layout.ring, m_figures.share, colour, RingGauge::Part::Arc);
        painter.setFont(m_ringFont);
        drawCentred(
            painter, layout.ring, text(2, m_figures.percent, m_ringFont, RingGauge::kDiameter - RingGauge::kLineWidth));
    }
    painter.setFont(m_rowFont);
    if (shows(layout.firstRow)) {
        drawCentred(painter, layout.firstRow,
            text(4, qtTrId(m_labels.firstRow) + QLatin1Char(' ') + m_figures.firstRow, m_rowFont,
                layout.firstRow.width()));
    }
    if (shows(layout.secondRow)) {
        drawCentred(painter, layout.secondRow,
            text(5, qtTrId(m_labels.secondRow) + QLatin1Char(' ') + m_figures.secondRow, m_rowFont,
                layout.secondRow.width()));
    }
}

void FlipCard::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void FlipCard::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        toggle();
    }
    m_pressed = false;
    event->accept();
}

void FlipCard::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        toggle();
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void FlipCard::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        updateAccessibleTexts();
        update();
    } else if (event->type() == QEvent::PaletteChange) {
        update();
    } else if (event->type() == QEvent::FontChange) {
        updateFonts();
    }
    QWidget::changeEvent(event);
}

void FlipCard::focusInEvent(QFocusEvent *event)
{
    m_focusRing = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    update();
    QWidget::focusInEvent(event);
}

void FlipCard::focusOutEvent(QFocusEvent *event)
{
    m_focusRing = false;
    update();
    QWidget::focusOutEvent(event);
}
