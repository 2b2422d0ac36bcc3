#pragma once

#include <QThread>

#include "Common/ThreadCheck.h"

// A thread that did not end when asked is deleted once it has; it may have ended meanwhile.
// Posted from the thread's last signal by a direct connection: a queued one would have QtCore
// read the thread's class (moc's metaObject) on the ending thread, after the post. What that
// thread did until it posts is handed over to a destructor that takes over `thread`.
inline void DeleteWhenFinished(QThread* thread)
{
    QObject::connect(
        thread, &QThread::finished, thread,
        CalledElsewhere([thread] {
            ThreadCheck::HandOver(thread);
            thread->deleteLater();
        }),
        Qt::DirectConnection);
    if (thread->isFinished())
        thread->deleteLater();
}
