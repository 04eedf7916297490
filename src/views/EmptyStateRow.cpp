// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "EmptyStateRow.h"

#include "ImageAsset.h"
#include "KeyLabel.h"
#include "PanelFont.h"

#include <QEvent>
#include <QHBoxLayout>

namespace {
constexpr int kPicture = 72;
} // namespace

EmptyStateRow::EmptyStateRow(const char *key, QWidget *parent)
    : QWidget(parent)
    , m_picture(new QLabel(this))
    , m_text(new KeyLabel(key, PanelFont::make(font(), 13, QFont::DemiBold), this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setSpacing(8);
    m_picture->setFixedSize(kPicture, kPicture);
    m_text->setWordWrap(true);
    layout->addStretch();
    layout->addWidget(m_picture);
    layout->addWidget(m_text, 1);
    layout->addStretch();
    renderPicture();
}

void EmptyStateRow::renderPicture()
{
    m_picture->setPixmap(
        ImageAsset::pixmap(QStringLiteral("NoContent"), QSize(kPicture, kPicture), devicePixelRatioF()));
}

void EmptyStateRow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ScreenChangeInternal) {
        renderPicture();
    }
    QWidget::changeEvent(event);
}
