// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QToolButton>
#include <QWidget>

class LinkButton;
class PreferenceManager;
class QLabel;

// The Feedback window's content: how to reach us, a button that copies our e-mail address and a
// link to Tavlo's page in the software centre.
class FeedbackView : public QWidget
{
    Q_OBJECT

public:
    explicit FeedbackView(PreferenceManager *preference, QWidget *parent = nullptr);

    // The pointer is over the copy button: only then does it show its caption.
    bool hovered() const { return m_hovered; }
    QToolButton *copyButton() const { return m_copyButton; }
    LinkButton *storeLink() const { return m_storeLink; }

    // Puts exactly the feedback address on the clipboard, replacing whatever was there.
    static void copyAddress();

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void retranslate();
    void setHovered(bool hovered);

    PreferenceManager *m_preference;
    bool m_hovered = false;
    QLabel *m_heading;
    QLabel *m_logo;
    QLabel *m_title;
    QLabel *m_mail;
    QToolButton *m_copyButton;
    QWidget *m_copySlot = nullptr;
    QLabel *m_help;
    LinkButton *m_storeLink;
};
