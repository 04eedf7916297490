// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QWidget>

class FooterView;
class PreferenceManager;
class RegionStackLayout;
class ScrollableView;

// The dashboard: the popover's one content widget, 350 × 693, holding the header row, the
// hardware card, the section switcher and the resource panel from top to bottom, over the
// background the user chose. It follows the preferences' language, scheme and background and
// redraws on every change.
class ContentView : public QWidget
{
    Q_OBJECT

public:
    explicit ContentView(PreferenceManager *preference, QWidget *parent = nullptr);

    static constexpr int kWidth = 350;
    static constexpr int kHeight = 693;
    static constexpr int kPadding = 4;

    // The picture painted for a background style: "AnimeStyle", "cartoonStyle", "Monterey" or
    // "BigSur"; empty for the gradient and for the transparent styles.
    static QString backgroundImageName(const QString &style);

    QString backgroundStyle() const { return m_backgroundStyle; }

    // The third and fourth regions.
    ScrollableView *scrollableView() const { return m_scrollableView; }
    FooterView *footerView() const { return m_footerView; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void applyPreferences();
    void paintGradient(QPainter &painter) const;

    PreferenceManager *m_preference;
    ScrollableView *m_scrollableView = nullptr;
    FooterView *m_footerView = nullptr;
    QString m_backgroundStyle;
    // The picture rendered once at the current size and pixel density; redrawing an SVG of this
    // size on every paint would cost milliseconds each time a label changes.
    QPixmap m_backgroundCache;
    QString m_backgroundCacheKey;
};
