// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "network/TitleSink.h"

#include <QList>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>
#include <atomic>

// A title sink that keeps every call, as the panel item would receive them.
class RecordingSink : public TitleSink
{
public:
    struct Title
    {
        QString upload;
        QString download;
        QThread *thread = nullptr;
    };

    void updateTitle(const QString &upload, const QString &download) override
    {
        m_inside = true;
        {
            const QMutexLocker locker(&m_mutex);
            m_titles.append({ upload, download, QThread::currentThread() });
        }
        if (const int delay = m_delayNextMs.exchange(0); delay > 0)
            QThread::msleep(static_cast<unsigned long>(delay));
        m_inside = false;
    }

    QList<Title> titles() const
    {
        const QMutexLocker locker(&m_mutex);
        return m_titles;
    }

    qsizetype count() const
    {
        const QMutexLocker locker(&m_mutex);
        return m_titles.size();
    }

    // The next call stays inside the sink this long, like a slow receiver.
    void delayNext(int ms) { m_delayNextMs = ms; }
    bool isInside() const { return m_inside; }

private:
    mutable QMutex m_mutex;
    QList<Title> m_titles;
    std::atomic<int> m_delayNextMs { 0 };
    std::atomic<bool> m_inside { false };
};
