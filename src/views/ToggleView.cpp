// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToggleView.h"

#include "CopyField.h"
#include "DeviceImage.h"
#include "GroupBox.h"
#include "LoadingRow.h"
#include "SystemFont.h"
#include "preferences/PreferenceManager.h"
#include "system/MachineIdentity.h"
#include "system/ScriptViewModel.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

const QString ToggleView::serialMask = QString(26, u'*');
const QString ToggleView::uuidMask = QString(25, u'*');

namespace {

constexpr QSize kSmallBox(152, 61);
constexpr QSize kIdentityBox(152, 140);
constexpr int kSidePadding = 5;

QLabel *textLabel(qreal size, QFont::Weight weight, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(SystemFont::of(size, weight));
    return label;
}

// A label's text without the colon its translation may end with, to prefix a value for
// screen readers.
QString keyName(const QLabel *key)
{
    QString text = key->text().trimmed();
    while (text.endsWith(u':') || text.endsWith(u'\uff1a'))
        text.chop(1);
    return text.trimmed();
}

void announce(QLabel *value, const QLabel *key)
{
    value->setAccessibleName(keyName(key) + QStringLiteral(": ") + value->text());
}

} // namespace

ToggleView::ToggleView(
    PreferenceManager *preference, ScriptViewModel *model, MachineIdentity *identity, QWidget *parent)
    : QWidget(parent)
    , m_preference(preference)
    , m_identity(identity ? identity : MachineIdentity::shared())
{
    setObjectName(QStringLiteral("ToggleView"));
    setFixedSize(kWidth, kHeight);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(kSidePadding, 0, kSidePadding, 0);
    row->setSpacing(8);
    row->setAlignment(Qt::AlignCenter);
    // The boxes hug their content and the three sit in the middle of the card.
    const auto boxed = [this](QWidget *content) {
        GroupBox *box = GroupBox::around(content, this);
        box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        return box;
    };
    auto *column = new QVBoxLayout;
    column->setSpacing(8);
    column->addWidget(boxed(makeResolutionBox()));
    column->addWidget(boxed(makeProcessorBox()));
    row->addLayout(column);
    row->addWidget(boxed(makeIdentityBox()));

    connect(m_serial, &CopyField::clicked, this,
        [this] { copyLater(m_serial, m_preference->setSerialNumber(), &ScriptViewModel::serialNumber); });
    connect(m_uuid, &CopyField::clicked, this,
        [this] { copyLater(m_uuid, m_preference->setShowUUID(), &ScriptViewModel::deviceID); });
    connect(m_preference, &PreferenceManager::objectWillChange, this, &ToggleView::refresh);
    connect(m_identity, &MachineIdentity::changed, this, &ToggleView::refresh);

    // The loading rows read alike in all three boxes.
    for (LoadingRow *loading : std::as_const(m_loadingRows))
        loading->setFont(SystemFont::of(11, QFont::Medium));
    retranslate();
    if (model) {
        setModel(model);
    } else {
        m_ownModel = new ScriptViewModel(this);
        setModel(m_ownModel);
    }
}

QWidget *ToggleView::makeResolutionBox()
{
    auto *box = new QWidget(this);
    box->setFixedSize(kSmallBox);
    box->setFont(SystemFont::of(11, QFont::Medium));
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addStretch();
    auto *image = new DeviceImage(20, box);
    m_images.append(image);
    layout->addWidget(image, 0, Qt::AlignHCenter);

    auto *loading = new LoadingRow(box);
    m_loadingRows.append(loading);
    auto *values = new QWidget(box);
    m_valueBlocks.append(values);
    auto *valueLayout = new QVBoxLayout(values);
    valueLayout->setContentsMargins(0, 0, 0, 0);
    valueLayout->setSpacing(3);
    m_resolutionKey = textLabel(11, QFont::Medium, values);
    m_resolution = textLabel(11, QFont::Medium, values);
    valueLayout->addWidget(m_resolutionKey);
    valueLayout->addWidget(m_resolution);

    auto *block = new QVBoxLayout;
    block->setContentsMargins(kSidePadding, 0, kSidePadding, 0);
    block->addWidget(loading);
    block->addWidget(values);
    layout->addLayout(block);
    layout->addStretch();
    return box;
}

QWidget *ToggleView::makeProcessorBox()
{
    auto *box = new QWidget(this);
    box->setFixedSize(kSmallBox);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    auto *loading = new LoadingRow(box);
    m_loadingRows.append(loading);
    layout->addWidget(loading);

    auto *values = new QWidget(box);
    m_valueBlocks.append(values);
    auto *valueLayout = new QVBoxLayout(values);
    valueLayout->setContentsMargins(0, 0, 0, 0);
    valueLayout->setSpacing(8);
    const auto addRow = [&](QLabel *&key, QLabel *&value) {
        auto *rowLayout = new QHBoxLayout;
        rowLayout->setContentsMargins(kSidePadding, 0, kSidePadding, 0);
        rowLayout->setSpacing(4);
        key = textLabel(13, QFont::Medium, values);
        value = textLabel(13, QFont::Medium, values);
        rowLayout->addWidget(key);
        rowLayout->addWidget(value);
        rowLayout->addStretch();
        valueLayout->addLayout(rowLayout);
    };
    addRow(m_processorKey, m_processors);
    addRow(m_coreKey, m_cores);
    layout->addWidget(values);
    layout->addStretch();
    loading->setContentsMargins(kSidePadding, 0, kSidePadding, 0);
    return box;
}

QWidget *ToggleView::makeIdentityBox()
{
    auto *box = new QWidget(this);
    box->setFixedSize(kIdentityBox);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    auto *loading = new LoadingRow(box);
    loading->setContentsMargins(kSidePadding, 0, kSidePadding, 0);
    m_loadingRows.append(loading);
    layout->addWidget(loading);

    auto *values = new QWidget(box);
    m_valueBlocks.append(values);
    auto *valueLayout = new QVBoxLayout(values);
    // The fields draw their text a little in from their edges, and the labels line up with it.
    valueLayout->setContentsMargins(kSidePadding - CopyField::kInset, 0, kSidePadding - CopyField::kInset, 0);
    valueLayout->setSpacing(3);
    auto *image = new DeviceImage(20.5, values);
    m_images.append(image);
    valueLayout->addSpacing(4);
    valueLayout->addWidget(image, 0, Qt::AlignHCenter);
    m_serialKey = textLabel(11, QFont::Medium, values);
    valueLayout->addWidget(m_serialKey, 0, Qt::AlignHCenter);
    const int fieldWidth = kIdentityBox.width() - 2 * (kSidePadding - CopyField::kInset);
    m_serial = new CopyField(10.5, values);
    m_serial->setFixedWidth(fieldWidth);
    valueLayout->addWidget(m_serial);
    valueLayout->addSpacing(15);
    m_uuidKey = textLabel(11, QFont::Medium, values);
    m_uuidKey->setIndent(CopyField::kInset);
    valueLayout->addWidget(m_uuidKey);
    m_uuid = new CopyField(11, values);
    m_uuid->setFixedWidth(fieldWidth);
    valueLayout->addWidget(m_uuid);
    layout->addWidget(values);
    layout->addStretch();
    return box;
}

void ToggleView::setModel(ScriptViewModel *model)
{
    if (m_model == model)
        return;
    if (m_model)
        m_model->disconnect(this);
    if (m_ownModel && m_ownModel != model)
        m_ownModel->deleteLater();
    m_model = model;
    if (m_model) {
        for (auto changed : { &ScriptViewModel::isRunningChanged, &ScriptViewModel::resolutionChanged,
                 &ScriptViewModel::deviceIDChanged, &ScriptViewModel::coreNumChanged,
                 &ScriptViewModel::coreTotalChanged, &ScriptViewModel::serialNumberChanged })
            connect(m_model, changed, this, &ToggleView::refresh);
    }
    refresh();
}

void ToggleView::copyLater(CopyField *field, bool allowed, QString (ScriptViewModel::*value)() const)
{
    // A masked value is not the user's to copy.
    if (!allowed)
        return;
    field->setNoticeShown(true);
    // The value is read when the copy is made, so a report that ends meanwhile gives the new one.
    QTimer::singleShot(kCopyDelayMs, this, [this, field, value] {
        if (m_model)
            QGuiApplication::clipboard()->setText((m_model->*value)(), QClipboard::Clipboard);
        field->setNoticeShown(false);
    });
}

void ToggleView::refresh()
{
    const bool running = !m_model || m_model->isRunning();
    for (LoadingRow *row : std::as_const(m_loadingRows))
        row->setVisible(running);
    for (QWidget *block : std::as_const(m_valueBlocks))
        block->setVisible(!running);
    for (DeviceImage *image : std::as_const(m_images))
        image->setName(m_identity->deviceImageName());
    if (!m_model)
        return;

    m_resolution->setText(m_model->resolution());
    m_processors->setText(m_model->coreNum());
    m_cores->setText(m_model->coreTotal());
    announce(m_resolution, m_resolutionKey);
    announce(m_processors, m_processorKey);
    announce(m_cores, m_coreKey);
    const QString hidden = qtTrId("Value_hidden");
    m_serial->setValue(
        m_model->serialNumber(), !m_preference->setSerialNumber(), serialMask, keyName(m_serialKey), hidden);
    m_uuid->setValue(m_model->deviceID(), !m_preference->setShowUUID(), uuidMask, keyName(m_uuidKey), hidden);
}

void ToggleView::retranslate()
{
    m_resolutionKey->setText(qtTrId("Resolution"));
    m_processorKey->setText(qtTrId("MacProcessorNum"));
    m_coreKey->setText(qtTrId("CoreNum"));
    m_serialKey->setText(qtTrId("SerialNumber"));
    m_uuidKey->setText(qtTrId("DeviceID"));
    refresh();
}

void ToggleView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}
