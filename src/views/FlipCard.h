// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QStaticText>
#include <QString>
#include <QWidget>
#include <array>

class FlipEffect;
class QVariantAnimation;

// A resource card in a grouped box with two faces: a pie of the used and free shares with a
// legend, and a ring gauge above the title and two labelled figures. A click, or Space or
// Enter while focused, turns it over. Everything is painted, so a frame of the turn costs one
// paint and no layout.
class FlipCard : public QWidget
{
    Q_OBJECT

public:
    // Localisation keys of the ring face's three lines, and the spacing of its two figure rows.
    struct Labels
    {
        const char *title;
        const char *firstRow;
        const char *secondRow;
        int rowSpacing;
    };

    struct Figures
    {
        double share = 0; // used, 0…1; drawn clamped
        QString percent; // "62.51%"
        QString used; // pie legend
        QString free;
        QString firstRow; // ring face figures
        QString secondRow;

        bool operator==(const Figures &) const = default;
    };

    static constexpr QSize kSize { 152, 140 };
    static constexpr int kDurationMs = 300;

    explicit FlipCard(const Labels &labels, QWidget *parent = nullptr);

    void setFigures(const Figures &figures);
    const Figures &figures() const { return m_figures; }

    // The side the user asked for: false for the ring face (the first one shown), true for the
    // pie face.
    bool flip() const { return m_flip; }
    // The face drawn now; it changes half way through a turn.
    bool showsPieFace() const;
    void toggle();

    QSize sizeHint() const override { return kSize; }

    // What a screen reader says, e.g. "Memory Used 62.51%", and the shown face's texts.
    static QString accessibleText(const QString &title, const QString &usedLabel, const QString &percent);
    QStringList faceTexts() const;

signals:
    void turned();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    struct RingLayout
    {
        QRectF ring;
        QRectF title;
        QRectF firstRow;
        QRectF secondRow;
    };
    RingLayout ringLayout() const;
    // What does not change with the figures: the box, and on the ring face the track and the
    // title. Drawn once into a picture at the screen's density and kept until the scheme, the
    // language or the face changes.
    const QPixmap &backdrop(bool ringFace, qreal ratio) const;
    void paintPieFace(QPainter &painter) const;
    // Paints only the parts that reach into `exposed`.
    void paintRingFace(QPainter &painter, const QRect &exposed) const;
    void updateAccessibleTexts();
    void updateFonts();
    // The text of one place on the card, laid out once and kept until it changes: a refresh
    // repaints both cards every second, and laying out their texts anew is most of the cost.
    const QStaticText &text(int slot, const QString &text, const QFont &font, qreal room) const;

    struct CachedText
    {
        QString text;
        QFont font;
        qreal room = 0;
        QStaticText laidOut;
    };
    mutable std::array<CachedText, 8> m_texts;
    // What the backdrop was drawn for; compared on every paint, so kept cheap to compare.
    struct BackdropKey
    {
        bool ringFace = false;
        qreal ratio = 0;
        QString title;
        QRgb text = 0;
        QRgb fill = 0;
        QFont font;

        bool operator==(const BackdropKey &) const = default;
    };
    mutable QPixmap m_backdrop;
    mutable BackdropKey m_backdropKey;
    QFont m_titleFont;
    QFont m_rowFont;
    QFont m_legendFont;
    QFont m_ringFont;

    Labels m_labels;
    Figures m_figures;
    FlipEffect *m_effect;
    QVariantAnimation *m_animation;
    bool m_flip = false;
    double m_angle = 180;
    bool m_pressed = false;
    bool m_focusRing = false;
};
