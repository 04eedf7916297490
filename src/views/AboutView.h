// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QWidget>

class LinkButton;
class PreferenceManager;

// Text painted in the four-colour gradient of the About window: yellow, blue, purple and red,
// from the bottom leading corner to the middle of the trailing edge.
class GradientLabel : public QLabel
{
    Q_OBJECT

public:
    explicit GradientLabel(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// The About window's content: the logo, Tavlo's name and version, the privacy policy link and
// the privacy note. It follows the preferences' language and scheme while open.
class AboutView : public QWidget
{
    Q_OBJECT

public:
    explicit AboutView(PreferenceManager *preference, QWidget *parent = nullptr);

    // "Version : " and the version, nothing after it.
    static QString versionText(const QString &version);
    // The name, one blank, the privacy note.
    static QString privacyNote(const QString &appName, const QString &tip);

    LinkButton *privacyLink() const { return m_privacyLink; }

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    PreferenceManager *m_preference;
    QLabel *m_heading;
    QLabel *m_logo;
    GradientLabel *m_name;
    GradientLabel *m_version;
    LinkButton *m_privacyLink;
    GradientLabel *m_note;
};
