// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FunctionView.h"

#include "AuxiliaryWindow.h"
#include "GroupBox.h"
#include "SymbolImage.h"
#include "SystemColors.h"
#include "WindowParts.h"
#include "preferences/PreferenceManager.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QToolButton>

namespace {

// 58 × 53 leaves no room for "Einstellungen" or "フィードバック" at any readable size: the buttons
// take the box's whole width instead.
constexpr QSize kButtonSize(64, 53);
constexpr int kIconSide = 22;

struct Action
{
    const char *symbol;
    const char *key;
};

constexpr Action kActions[] {
    { "info.circle.fill", "About_Btn_Title" },
    { "square.and.arrow.up.circle.fill", "Feedback_Btn_Title" },
    { "gear.circle.fill", "Setting_Btn_Title" },
    { "power.circle.fill", "Quit_Btn_Title" },
};

// The label font, made smaller for a long label ("Einstellungen") so that it is never cut off.
QFont fittingFont(const QString &text, int width)
{
    QFont font = WindowParts::font(10, QFont::Medium);
    while (font.pointSizeF() > 6 && QFontMetrics(font).horizontalAdvance(text) > width) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    return font;
}

} // namespace

FunctionView::FunctionView(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FunctionView"));
    setFixedSize(kSize);
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(4);
    grid->setAlignment(Qt::AlignCenter);
    for (int i = 0; i < 4; ++i) {
        auto *button = new QToolButton;
        button->setObjectName(QString::fromLatin1(kActions[i].key));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::StrongFocus);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(kIconSide, kIconSide));
        button->setFixedSize(kButtonSize);
        m_buttons.append(button);
        grid->addWidget(GroupBox::around(button, this), i / 2, i % 2);
    }
    const std::array<CustomWindow::Kind, 3> windows {
        CustomWindow::Kind::About,
        CustomWindow::Kind::Feedback,
        CustomWindow::Kind::Setting,
    };
    for (std::size_t i = 0; i < windows.size(); ++i) {
        connect(m_buttons.at(qsizetype(i)), &QToolButton::clicked, this,
            [this, kind = windows.at(i)] { openAuxiliaryWindow(kind, window()->screen()); });
    }
    connect(m_buttons.at(3), &QToolButton::clicked, this, &FunctionView::quit);
    retranslate();
}

AuxiliaryWindow *FunctionView::openAuxiliaryWindow(CustomWindow::Kind kind, QScreen *screen)
{
    // A host for this press only; the window it makes outlives it.
    CustomWindow host(PreferenceManager::shared(), screen);
    AuxiliaryWindow *window = host.window(kind);
    window->raise();
    window->activateWindow();
    return window;
}

void FunctionView::quit()
{
    QCoreApplication::exit(0);
}

void FunctionView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange || event->type() == QEvent::PaletteChange) {
        retranslate();
    }
    QWidget::changeEvent(event);
}

void FunctionView::retranslate()
{
    const QColor tint = SystemColors::blue(palette());
    for (qsizetype i = 0; i < m_buttons.size(); ++i) {
        QToolButton *button = m_buttons.at(i);
        const QString label = qtTrId(kActions[i].key);
        button->setText(label);
        button->setAccessibleName(label);
        button->setFont(fittingFont(label, kButtonSize.width() - 8));
        button->setIcon(SymbolImage::icon(QString::fromLatin1(kActions[i].symbol), tint));
    }
}
