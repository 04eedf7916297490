// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingView.h"

#include "LaunchAtLoginToggle.h"
#include "SystemColors.h"
#include "WindowParts.h"
#include "preferences/PreferenceManager.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <functional>
#include <utility>

namespace {

constexpr int kSideMargin = 20;
// The window's width less the side margins: the width every note wraps at.
constexpr int kColumnWidth = 438 - 2 * kSideMargin;

// One group: a control and its note under it.
QVBoxLayout *group(QWidget *control, QLabel *note)
{
    auto *layout = new QVBoxLayout;
    layout->setSpacing(2);
    layout->addWidget(control);
    layout->addWidget(note);
    return layout;
}

} // namespace

const QList<SettingView::Option> &SettingView::backgroundOptions()
{
    static const QList<Option> options {
        { "Default Style", "DefaultStyle" },
        { "Gradient Style", "GradientStyle" },
        { "Monterey Style", "MontereyStyle" },
        { "Big Sur Style", "BigSurStyle" },
        { "Shape Style", "ShapeStyle" },
        { "Cartoon Style", "CartoonStyle" },
    };
    return options;
}

const QList<SettingView::Option> &SettingView::languageOptions()
{
    static const QList<Option> options {
        { "App_Language_ZHCN", "zh_CN" },
        { "App_Language_ZHHANTS", "zh-Hant_CN" },
        { "App_Language_English", "en" },
        { "App_Language_Japanese", "ja" },
        { "App_Language_Malay", "ms" },
        { "App_Language_German", "de" },
    };
    return options;
}

const QList<SettingView::Option> &SettingView::appearanceOptions()
{
    static const QList<Option> options {
        { "App_Dark_Mode", "DarkMode" },
        { "App_Light_Mode", "LightMode" },
        { "App_Auto_Mode", "SystemMode" },
    };
    return options;
}

SettingView::SettingView(PreferenceManager *preference, LaunchAtLogin *launchAtLogin, QWidget *parent)
    : QWidget(parent)
    , m_preference(preference)
    , m_launchAtLogin(launchAtLogin)
    , m_heading(WindowParts::heading(this))
    , m_background(picker(backgroundOptions(), &PreferenceManager::setSetAppBgStyle))
    , m_language(picker(languageOptions(), &PreferenceManager::setSetApplanguage))
    , m_appearance(picker(appearanceOptions(), &PreferenceManager::setSetAppThemeMode))
    , m_launch(LaunchAtLogin::Toggle::withKey("Auto_launch", launchAtLogin, this))
    , m_showIP(toggle(&PreferenceManager::setSetShowIPAddress))
    , m_showUUID(toggle(&PreferenceManager::setSetShowUUID))
    , m_showSerial(toggle(&PreferenceManager::setSetSerialNumber))
{
    setObjectName(QStringLiteral("SettingView"));
    m_labelled = {
        { m_background, "App_Background" },
        { m_language, "App_Language" },
        { m_appearance, "App_Appearance" },
        { m_launch->button(), "Auto_launch" },
        { m_showIP, "App_CanShow_IP" },
        { m_showUUID, "App_CanShow_UUID" },
        { m_showSerial, "App_CanShow_SerialNum" },
    };

    // Each picker with its label before it and its note under it.
    const struct
    {
        QComboBox *combo;
        const char *labelKey;
        const char *noteKey;
    } rows[] {
        { m_background, "App_Background", "App_Background_Tip" },
        { m_language, "App_Language", "App_Language_tip" },
        { m_appearance, "App_Appearance", "Theme_tip" },
    };
    QList<QLayout *> pickerGroups;
    for (const auto &row : rows) {
        auto *label = new QLabel(this);
        label->setBuddy(row.combo);
        m_pickerLabels.append({ label, row.labelKey });
        auto *line = new QHBoxLayout;
        line->setSpacing(10);
        line->addWidget(label);
        line->addWidget(row.combo, 1);
        auto *pickerGroup = new QVBoxLayout;
        pickerGroup->setSpacing(2);
        pickerGroup->addLayout(line);
        pickerGroup->addWidget(note(row.noteKey));
        pickerGroups.append(pickerGroup);
    }

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(kSideMargin, 12, kSideMargin, 14);
    layout->setSpacing(9);
    layout->addWidget(m_heading);
    for (QLayout *pickerGroup : pickerGroups) {
        layout->addLayout(pickerGroup);
    }
    layout->addWidget(WindowParts::divider(this));
    layout->addLayout(group(m_launch, note("Better_tip")));
    layout->addWidget(WindowParts::divider(this));
    layout->addLayout(group(m_showIP, note("App_ShowIP_tip")));
    layout->addLayout(group(m_showUUID, note("App_ShowUUID_tip")));
    layout->addLayout(group(m_showSerial, note("App_ShowSerialNum_tip")));
    layout->addStretch(1);

    // Tab runs down the column, as it is read.
    QWidget *previous = m_background;
    for (QWidget *next : { static_cast<QWidget *>(m_language), static_cast<QWidget *>(m_appearance),
             static_cast<QWidget *>(m_launch->button()), static_cast<QWidget *>(m_showIP),
             static_cast<QWidget *>(m_showUUID), static_cast<QWidget *>(m_showSerial) }) {
        setTabOrder(previous, next);
        previous = next;
    }

    connect(m_preference, &PreferenceManager::objectWillChange, this, &SettingView::refresh);
    retranslate();
    recolour();
    refresh();
}

QComboBox *SettingView::picker(const QList<Option> &options, void (PreferenceManager::*setter)(const QString &))
{
    auto *combo = new QComboBox(this);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (const Option &option : options) {
        combo->addItem(QString(), QString::fromLatin1(option.value));
    }
    // Only the user's own choices write: `activated`, not `currentIndexChanged`, so showing a
    // value read back from the store never writes it again.
    const std::function<void(const QString &)> write = std::bind_front(setter, m_preference);
    connect(
        combo, &QComboBox::activated, this, [combo, write](int index) { write(combo->itemData(index).toString()); });
    return combo;
}

QCheckBox *SettingView::toggle(void (PreferenceManager::*setter)(bool))
{
    auto *box = new QCheckBox(this);
    connect(box, &QCheckBox::clicked, this, std::function<void(bool)>(std::bind_front(setter, m_preference)));
    return box;
}

QLabel *SettingView::note(const char *key)
{
    QLabel *label = WindowParts::note(this);
    m_notes.append({ label, key });
    return label;
}

void SettingView::refresh()
{
    const std::pair<QComboBox *, QString> pickers[] {
        { m_background, m_preference->setAppBgStyle() },
        { m_language, m_preference->setApplanguage() },
        { m_appearance, m_preference->setAppThemeMode() },
    };
    for (const auto &[combo, value] : pickers) {
        combo->setCurrentIndex(combo->findData(value));
    }
    m_showIP->setChecked(m_preference->setShowIPAddress());
    m_showUUID->setChecked(m_preference->setShowUUID());
    m_showSerial->setChecked(m_preference->setSerialNumber());
}

void SettingView::retranslate()
{
    m_heading->setText(qtTrId("Setting_Btn_Title"));
    const std::pair<QComboBox *, const QList<Option> *> pickers[] {
        { m_background, &backgroundOptions() },
        { m_language, &languageOptions() },
        { m_appearance, &appearanceOptions() },
    };
    for (const auto &[combo, options] : pickers) {
        for (qsizetype i = 0; i < options->size(); ++i) {
            combo->setItemText(int(i), qtTrId(options->at(i).key));
        }
    }
    for (const Labelled &labelled : m_labelled) {
        const QString text = qtTrId(labelled.key);
        labelled.widget->setAccessibleName(text);
        if (auto *box = qobject_cast<QCheckBox *>(labelled.widget); box && box != m_launch->button()) {
            box->setText(text);
        }
    }
    for (const Labelled &labelled : std::as_const(m_pickerLabels)) {
        static_cast<QLabel *>(labelled.widget)->setText(qtTrId(labelled.key));
    }
    for (const Labelled &labelled : std::as_const(m_notes)) {
        auto *label = static_cast<QLabel *>(labelled.widget);
        label->setText(qtTrId(labelled.key));
        WindowParts::fitHeight(label, kColumnWidth);
    }
    // The launch switch is a check box and a label side by side; as tall as the other toggles,
    // its note sits as far below it as theirs do.
    m_launch->setMinimumHeight(m_showIP->sizeHint().height());
    // The pickers line up behind the widest of their labels.
    int labelWidth = 0;
    for (const Labelled &labelled : std::as_const(m_pickerLabels)) {
        labelled.widget->setMinimumWidth(0);
        labelWidth = std::max(labelWidth, labelled.widget->sizeHint().width());
    }
    for (const Labelled &labelled : std::as_const(m_pickerLabels)) {
        labelled.widget->setMinimumWidth(labelWidth);
    }
}

void SettingView::recolour()
{
    for (const Labelled &labelled : std::as_const(m_notes)) {
        WindowParts::tint(labelled.widget, SystemColors::secondary(palette()));
    }
}

void SettingView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
    } else if (event->type() == QEvent::PaletteChange) {
        recolour();
    }
    QWidget::changeEvent(event);
}
