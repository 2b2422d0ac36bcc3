#pragma once

#include <QThread>

// A thread that did not end when asked is deleted once it has; it may have ended meanwhile.
inline void DeleteWhenFinished(QThread* thread)
{
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    if (thread->isFinished())
        thread->deleteLater();
}
