// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class KeyLabel;
class QLabel;

// The "nothing to show" row of a section: the "NoContent" picture beside a localised text.
class EmptyStateRow : public QWidget
{
    Q_OBJECT

public:
    explicit EmptyStateRow(const char *key, QWidget *parent = nullptr);

    KeyLabel *text() const { return m_text; }

protected:
    void changeEvent(QEvent *event) override;

private:
    void renderPicture();

    QLabel *m_picture;
    KeyLabel *m_text;
};
