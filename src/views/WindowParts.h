// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QToolButton>

class QLabel;
class QWidget;

// Pieces the Settings, About and Feedback windows share.
namespace WindowParts {

// The window's heading: 13 pt semibold, centred.
QLabel *heading(QWidget *parent);
// An explanatory note: 10.5 pt, wrapped to the width it gets, never cut off.
QLabel *note(QWidget *parent);
// A hairline across the width.
QWidget *divider(QWidget *parent);
// A font of the application font's family at `points`, with `weight`.
QFont font(qreal points, QFont::Weight weight);
// Makes a wrapped label exactly as tall as its text needs at `width`, the width its column
// gives it. Call again after each new text. (Left to the layouts, wrapped labels get heights
// guessed for other widths, with gaps under short texts.)
void fitHeight(QLabel *label, int width);
// Paints a child's text in `colour`; call again whenever the scheme changes.
void tint(QWidget *widget, const QColor &colour);

// Hands a link to the desktop. A link whose scheme no installed application handles (the
// software centre's "appstream:" where none is installed) opens `fallback` instead, so a click
// never does nothing. False when the desktop could not open either.
bool openLink(const QString &link, const QString &fallback = QString());

} // namespace WindowParts

// A link: the symbol "link.circle.fill" beside its text, both in the scheme's blue, borderless,
// reachable with Tab and pressed with Space like any button.
class LinkButton : public QToolButton
{
    Q_OBJECT

public:
    LinkButton(const QString &link, const QString &fallback, QWidget *parent = nullptr);

    QString link() const { return m_link; }

protected:
    void changeEvent(QEvent *event) override;

private:
    void recolour();

    QString m_link;
    QString m_fallback;
    bool m_recolouring = false;
};
