// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemInfoView.h"

#include "SystemFont.h"
#include "system/AppInfoManager.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
constexpr int kLeadingPadding = 5;
}

SystemInfoView::SystemInfoView(QWidget *parent)
    : SystemInfoView(AppInfoManager::shared(), parent)
{ }

SystemInfoView::SystemInfoView(const AppInfoManager &info, QWidget *parent)
    : QWidget(parent)
    // os-release is a small local file: reading it here costs well under a millisecond.
    , m_name(info.systemName())
    , m_version(info.systemVersion())
    , m_nameKey(new QLabel(this))
    , m_nameValue(new QLabel(this))
    , m_versionKey(new QLabel(this))
    , m_versionValue(new QLabel(this))
{
    setObjectName(QStringLiteral("SystemInfoView"));
    setFixedSize(kSize);
    setFont(SystemFont::of(13, QFont::DemiBold));
    auto *rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(8);
    rows->addStretch();
    for (const auto &[key, value] : { std::pair { m_nameKey, m_nameValue }, { m_versionKey, m_versionValue } }) {
        key->setTextFormat(Qt::PlainText);
        value->setTextFormat(Qt::PlainText);
        key->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        value->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        // "Debian GNU/Linux" is wider than the box: a name goes on over a second line.
        value->setWordWrap(true);
        // The label and the value touch: a separator belongs to the label's translation.
        auto *row = new QHBoxLayout;
        row->setContentsMargins(kLeadingPadding, 0, 0, 0);
        row->setSpacing(0);
        row->addWidget(key, 0, Qt::AlignTop);
        row->addWidget(value, 1, Qt::AlignTop);
        rows->addLayout(row);
    }
    rows->addStretch();
    retranslate();
}

void SystemInfoView::fit(QLabel *key, QLabel *value, const QString &text)
{
    // Two lines at most; a word longer than the room ends in an ellipsis.
    const int room = qMax(0, width() - kLeadingPadding - key->fontMetrics().horizontalAdvance(key->text()));
    const QFontMetrics metrics = value->fontMetrics();
    QStringList words = text.split(u' ');
    for (QString &word : words) {
        // Lines break between words only, not after the slash of "GNU/Linux".
        word = metrics.elidedText(word, Qt::ElideRight, room).replace(u'/', QStringLiteral("/\u2060"));
    }
    QString shown = words.join(u' ');
    if (metrics.boundingRect(QRect(0, 0, room, 1000), Qt::TextWordWrap, shown).height() > 2 * metrics.lineSpacing())
        shown = metrics.elidedText(text, Qt::ElideRight, room);
    value->setText(shown);
    value->setToolTip(shown == text ? QString() : text);
    // One name for the pair, so a screen reader says what the value is.
    value->setAccessibleName(key->text().trimmed() + QLatin1Char(' ') + text);
}

void SystemInfoView::retranslate()
{
    m_nameKey->setText(qtTrId("System_name"));
    m_versionKey->setText(qtTrId("System_version"));
    fit(m_nameKey, m_nameValue, m_name);
    fit(m_versionKey, m_versionValue, m_version);
}

void SystemInfoView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange || event->type() == QEvent::FontChange)
        retranslate();
    QWidget::changeEvent(event);
}
