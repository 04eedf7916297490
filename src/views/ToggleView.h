// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "system/ScriptViewModel.h"

#include <QPointer>
#include <QWidget>

class CopyField;
class DeviceImage;
class LoadingRow;
class MachineIdentity;
class PreferenceManager;
class QLabel;

// The hardware card: display resolution, processors and cores, serial number and hardware UUID
// from one run of the hardware report, in three grouped boxes. Each box shows the loading row
// until the report starts answering. The serial number and the UUID stay masked unless the
// preferences allow them; a press on a shown one copies it to the clipboard a second later,
// as the "HasCopied" notice comes and goes.
class ToggleView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kWidth = 350;
    static constexpr int kHeight = 150;
    static constexpr int kCopyDelayMs = 1000;
    static const QString serialMask;
    static const QString uuidMask;

    // Starts its own report unless given a model to show.
    explicit ToggleView(PreferenceManager *preference, ScriptViewModel *model = nullptr,
        MachineIdentity *identity = nullptr, QWidget *parent = nullptr);

    // Shows another model (a report held back or fed by hand); the card's own one is dropped.
    void setModel(ScriptViewModel *model);
    ScriptViewModel *model() const { return m_model; }

    CopyField *serialField() const { return m_serial; }
    CopyField *uuidField() const { return m_uuid; }

protected:
    void changeEvent(QEvent *event) override;

private:
    QWidget *makeResolutionBox();
    QWidget *makeProcessorBox();
    QWidget *makeIdentityBox();
    void refresh();
    void retranslate();
    void copyLater(CopyField *field, bool allowed, QString (ScriptViewModel::*value)() const);

    PreferenceManager *m_preference;
    MachineIdentity *m_identity;
    QPointer<ScriptViewModel> m_model;
    QPointer<ScriptViewModel> m_ownModel;

    QList<LoadingRow *> m_loadingRows;
    QList<QWidget *> m_valueBlocks;
    QList<DeviceImage *> m_images;
    QLabel *m_resolutionKey = nullptr;
    QLabel *m_resolution = nullptr;
    QLabel *m_processorKey = nullptr;
    QLabel *m_processors = nullptr;
    QLabel *m_coreKey = nullptr;
    QLabel *m_cores = nullptr;
    QLabel *m_serialKey = nullptr;
    QLabel *m_uuidKey = nullptr;
    CopyField *m_serial = nullptr;
    CopyField *m_uuid = nullptr;
};
