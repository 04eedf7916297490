// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

// A label showing the text of a localisation key in the current language, relabelled when the
// language changes.
class KeyLabel : public QLabel
{
    Q_OBJECT

public:
    explicit KeyLabel(const char *key, const QFont &font, QWidget *parent = nullptr);

    void setKey(const char *key);
    const char *key() const { return m_key; }

protected:
    void changeEvent(QEvent *event) override;

private:
    const char *m_key;
};

// A localised label and a figure beside it. Screen readers read the figure as "label figure",
// e.g. "User: 3.12%", so it makes sense on its own.
class FigureRow : public QWidget
{
    Q_OBJECT

public:
    FigureRow(const char *key, const QFont &font, int spacing, QWidget *parent = nullptr);

    void setValue(const QString &value);
    void setKey(const char *key);
    QString value() const;
    // Keeps the figure as wide as `widest`: a figure that changes every second then repaints
    // itself only, without laying out the rows around it again.
    void setFixedValueWidth(const QString &widest);
    // Put before the label in what screen readers read, e.g. "CPU".
    void setAccessiblePrefix(const QString &prefix);
    KeyLabel *label() const { return m_label; }
    QLabel *valueLabel() const { return m_value; }

protected:
    void changeEvent(QEvent *event) override;

private:
    void updateAccessibleName();

    KeyLabel *m_label;
    QLabel *m_value;
    QString m_prefix;
};
