// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class AppInfoManager;
class QLabel;

// The right box of the dashboard's header: the operating system's name and version, each
// after its label. A value too long for the box ends in an ellipsis; its tooltip and its
// accessible name carry all of it.
class SystemInfoView : public QWidget
{
    Q_OBJECT

public:
    static constexpr QSize kSize { 152, 65 };

    explicit SystemInfoView(QWidget *parent = nullptr);
    // Reads another machine's os-release (tests and screenshots).
    explicit SystemInfoView(const AppInfoManager &info, QWidget *parent = nullptr);

    QString systemName() const { return m_name; }
    QString systemVersion() const { return m_version; }

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void fit(QLabel *key, QLabel *value, const QString &text);

    QString m_name;
    QString m_version;
    QLabel *m_nameKey;
    QLabel *m_nameValue;
    QLabel *m_versionKey;
    QLabel *m_versionValue;
};
