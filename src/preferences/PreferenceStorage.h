// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PreferenceFile.h"

#include <QJsonValue>
#include <QString>
#include <type_traits>

// One persisted setting of type bool or QString. A stored value of another type is ignored and
// the default used; it stays in the file until this setting is written.
template<typename Value> struct PreferenceStorage
{
    static_assert(std::is_same_v<Value, bool> || std::is_same_v<Value, QString>);

    PreferenceStorage(QString key, Value fallback, PreferenceFile *store)
        : keyName(std::move(key))
        , defaultValue(std::move(fallback))
        , userDefaults(store)
        , value(load())
    { }

    // Stores the value and writes it to the file at once.
    void store(const Value &newValue)
    {
        value = newValue;
        userDefaults->setValue(keyName, QJsonValue(value));
    }

    QString keyName;
    Value defaultValue;
    PreferenceFile *userDefaults;
    Value value;

private:
    Value load() const
    {
        const QJsonValue stored = userDefaults->value(keyName);
        if constexpr (std::is_same_v<Value, bool>) {
            return stored.isBool() ? stored.toBool() : defaultValue;
        } else {
            return stored.isString() ? stored.toString() : defaultValue;
        }
    }
};
