// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>
#include <QWidget>

class MachineIdentity;
class PreferenceManager;
class PublicAddressLookup;
class QLabel;

// The left box of the dashboard's header: the machine's name and, while the user allows it,
// the public address. The address is asked for in the background each time the line is
// turned on; the line keeps its place, empty, until the answer (or the failure's empty text)
// arrives.
class HeaderView : public QWidget
{
    Q_OBJECT

public:
    static constexpr QSize kSize { 152, 65 };

    explicit HeaderView(PreferenceManager *preference, MachineIdentity *identity = nullptr, QWidget *parent = nullptr);

    // Where the address is asked for; the build's endpoint unless set. Takes effect with the
    // next lookup; the first starts once control returns to the event loop.
    void setEndpoint(const QUrl &endpoint) { m_endpoint = endpoint; }

    QString machineName() const { return m_fullName; }
    bool isAddressLineShown() const;
    QString addressText() const;
    bool isLookingUp() const { return m_lookup != nullptr; }

signals:
    // The address line got its text (an empty one when the lookup failed).
    void addressArrived(const QString &text);

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void applyPreference();
    void lookUpAddress();
    void showName();
    void showAddress(const QString &text);

    PreferenceManager *m_preference;
    MachineIdentity *m_identity;
    QUrl m_endpoint;
    QLabel *m_name;
    QLabel *m_address;
    PublicAddressLookup *m_lookup = nullptr;
    QString m_fullName;
    QString m_addressText;
    bool m_addressWanted = false;
};
