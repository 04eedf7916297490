// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LaunchAtLoginToggle.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>

LaunchAtLogin::Toggle::Toggle(QWidget *label, const char *key, LaunchAtLogin *launchAtLogin, QWidget *parent)
    : QWidget(parent)
    , m_launchAtLogin(launchAtLogin)
    , m_button(new QCheckBox(this))
    , m_label(label)
    , m_key(key)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(m_button);
    layout->addWidget(m_label, 1);
    connect(m_button, &QCheckBox::clicked, this, [this](bool checked) { m_launchAtLogin->setEnabled(checked); });
    connect(m_launchAtLogin, &LaunchAtLogin::isEnabledChanged, this, [this] { refresh(); });
    refresh();
}

QLabel *LaunchAtLogin::Toggle::textLabel(const QString &text)
{
    auto *label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    return label;
}

LaunchAtLogin::Toggle *LaunchAtLogin::Toggle::withLabel(QWidget *label, LaunchAtLogin *launchAtLogin, QWidget *parent)
{
    return new Toggle(label, nullptr, launchAtLogin, parent);
}

LaunchAtLogin::Toggle *LaunchAtLogin::Toggle::withKey(const char *key, LaunchAtLogin *launchAtLogin, QWidget *parent)
{
    return new Toggle(textLabel(qtTrId(key)), key, launchAtLogin, parent);
}

LaunchAtLogin::Toggle *LaunchAtLogin::Toggle::withText(
    const QString &text, LaunchAtLogin *launchAtLogin, QWidget *parent)
{
    return new Toggle(textLabel(text), nullptr, launchAtLogin, parent);
}

LaunchAtLogin::Toggle *LaunchAtLogin::Toggle::withDefaultLabel(LaunchAtLogin *launchAtLogin, QWidget *parent)
{
    return withText(QStringLiteral("Launch at login"), launchAtLogin, parent);
}

void LaunchAtLogin::Toggle::refresh()
{
    // Read back from the autostart entry: the desktop's own settings may have changed it.
    m_button->setChecked(m_launchAtLogin->isEnabled());
}

void LaunchAtLogin::Toggle::showEvent(QShowEvent *event)
{
    refresh();
    QWidget::showEvent(event);
}

void LaunchAtLogin::Toggle::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange && m_key) {
        static_cast<QLabel *>(m_label)->setText(qtTrId(m_key));
    }
    QWidget::changeEvent(event);
}
