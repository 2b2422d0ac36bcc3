// A network reply's connections freed on another thread than the one that made and called them.
// Qt frees them on whichever thread lets go of the reply's connection list last: its network
// thread when that one is still at the list as the reply goes. Here a thread of the test holds
// the list, inside an emission of the reply's, while the program lets the reply go, so that
// every slot object the program connected to the reply is freed on that thread. Qt's count that
// orders the calls before the free is out of ThreadSanitizer's sight: a connection that does
// not declare the hand-over is reported by the ThreadSanitizer run of these tests.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include <QCoreApplication>
#include <QNetworkReply>
#include <QPointer>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "Network/OldQuery.h"
#include "Network/SendCommand.h"
#include "Network/UpLoader.h"
#include "StreamProbe.h"

using namespace nettest;
using simdvr::CSimDvr;

namespace {

// A thread that, once handed a reply, stays inside an emission of one of its signals until it
// is destroyed. Started before the reply exists, and handed it through Qt's semaphores and a
// relaxed pointer, so that nothing ThreadSanitizer sees orders the program's connections
// before what this thread frees.
class ListHeldElsewhere {
public:
    ListHeldElsewhere() : m_thread([this] { run(); }) {}
    ~ListHeldElsewhere()
    {
        // Never handed a reply: the thread ends without one.
        if (!m_given)
            m_handed.release();
        m_leave.release();
        m_thread.join();
    }

    // Returns once the thread is inside the emission.
    void hold(QNetworkReply* reply)
    {
        m_reply.store(reply, std::memory_order_relaxed);
        m_given = true;
        m_handed.release();
        m_inside.acquire();
    }

private:
    void run()
    {
        m_handed.acquire();
        QNetworkReply* reply = m_reply.load(std::memory_order_relaxed);
        if (!reply)
            return;
        const std::thread::id self = std::this_thread::get_id();
        // The reply emits the signal on its own thread too: only this thread's emission stays.
        QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [this, self] {
            if (std::this_thread::get_id() != self)
                return;
            m_inside.release();
            m_leave.acquire();
        }, Qt::DirectConnection);
        emit reply->metaDataChanged();
    }

    QSemaphore m_handed;
    QSemaphore m_inside;
    QSemaphore m_leave;
    std::atomic<QNetworkReply*> m_reply{nullptr};
    bool m_given = false;  // the test's thread only
    std::thread m_thread;
};

// The one reply in flight under `root`.
QNetworkReply* ReplyInFlight(const QObject* root)
{
    QNetworkReply* found = nullptr;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        const QList<QNetworkReply*> replies = root->findChildren<QNetworkReply*>();
        found = replies.size() == 1 ? replies.front() : nullptr;
        return found != nullptr;
    }, 5000));
    return found;
}

// How the DVR ends the request, after keeping it a while: it answers, or it hangs up.
enum class End { Answered, HungUp };

std::string EndName(const ::testing::TestParamInfo<End>& info)
{
    return info.param == End::Answered ? "Answered" : "HungUp";
}

class ReplyReleasedElsewhere : public ::testing::TestWithParam<End> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.start());
        simdvr::Misbehaviour m;
        m.holdRequests = -1;
        m.holdMs = 300;
        m.replyDrop = GetParam() == End::HungUp;
        sim.setMisbehaviour(m);
    }

    // Hands the program's one reply under `root` to the other thread and waits until the
    // program has let it go.
    void holdUntilGone(const QObject* root)
    {
        const QPointer<QNetworkReply> reply = ReplyInFlight(root);
        ASSERT_FALSE(reply.isNull());
        holder.hold(reply);
        ASSERT_TRUE(QTest::qWaitFor([&] { return reply.isNull(); }, 10000));
    }

    CSimDvr sim;
    // Before any reply: its start orders nothing of the program's connections.
    ListHeldElsewhere holder;
};

}  // namespace

TEST_P(ReplyReleasedElsewhere, AStopsReplyEndsItsStop)
{
    const DVR dvr = MakeDvr(sim, false);
    // A stop: its reply has every connection a command's has, and its sending is watched too.
    CSendCommand::sendStreamStop(dvr, COldQuery::StreamStop(9), 9);
    // The program's commands are the application's.
    holdUntilGone(QCoreApplication::instance());
    EXPECT_FALSE(CSendCommand::hasUnansweredStreamStops(dvr)) << "the stop is over";
    EXPECT_TRUE(sim.waitForRequest([](const simdvr::Request& r) { return r.param("CID") == "9"; }, 1000));
}

TEST_P(ReplyReleasedElsewhere, AnUploadsReplyEndsTheUploadOnce)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dvr.conf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(QByteArray(4000, 'c')) == 4000 && file.flush());
    UpLoader up;
    QSignalSpy finished(&up, &UpLoader::finished);
    up.upload(QStringLiteral("127.0.0.1"), sim.port(), CgiQuery(cgi::MODE_SET_DVR_CONF), path);
    holdUntilGone(&up);
    QTest::qWait(50);
    ASSERT_EQ(finished.count(), 1);
    const bool failed = finished.first().at(0).toBool();
    EXPECT_EQ(failed, GetParam() == End::HungUp);
    EXPECT_FALSE(finished.first().at(1).toBool()) << "not aborted";
}

INSTANTIATE_TEST_SUITE_P(Ends, ReplyReleasedElsewhere, ::testing::Values(End::Answered, End::HungUp), EndName);
