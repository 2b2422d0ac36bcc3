// Checks ThreadSanitizer's tolerance (tests/support/tsan.supp) from both sides; scripts/tsan
// runs it and fails unless ThreadSanitizer reports the first case and nothing in the second.
//   race      two threads count into one integer without a lock: a real data race;
//   handover  a thread hands data to the main thread the ways the program does (a queued
//             signal's QByteArray, a queued signal's copied struct, a functor queued by
//             QMetaObject::invokeMethod): ordered by QtCore, no race.

#include <cstring>
#include <string>
#include <thread>

#include <QByteArray>
#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>

namespace {

struct Record {
    std::string name;
    int value = 0;
};

}  // namespace

Q_DECLARE_METATYPE(Record)

namespace {

class Sender : public QObject {
    Q_OBJECT

signals:
    void bytes(const QByteArray& data);
    void record(const Record& record);
};

int Race()
{
    int counter = 0;
    const auto count = [&counter] {
        for (int i = 0; i < 100000; ++i)
            ++counter;
    };
    std::thread first(count);
    std::thread second(count);
    first.join();
    second.join();
    return counter > 0 ? 0 : 1;
}

int HandOver(int argc, char** argv)
{
    constexpr int ROUNDS = 200;
    QCoreApplication app(argc, argv);
    qRegisterMetaType<Record>();
    Sender sender;
    long sum = 0;
    int received = 0;
    const auto took = [&](long value) {
        sum += value;
        if (++received == 3 * ROUNDS)
            app.quit();
    };
    QObject::connect(&sender, &Sender::bytes, &app, [&](const QByteArray& data) { took(data.front() + data.back()); });
    QObject::connect(&sender, &Sender::record, &app, [&](const Record& r) { took(r.value + long(r.name.size())); });
    std::thread worker([&] {
        for (int i = 0; i < ROUNDS; ++i) {
            char buffer[256];
            std::memset(buffer, 'a' + i % 26, sizeof buffer);
            emit sender.bytes(QByteArray(buffer, sizeof buffer));
            Record r;
            r.name.assign(40, char('a' + i % 26));
            r.value = i;
            emit sender.record(r);
            QMetaObject::invokeMethod(
                &app, [&took, i, text = std::string(30, 'y')] { took(i + long(text.size())); }, Qt::QueuedConnection);
        }
    });
    const int result = app.exec();
    worker.join();
    return result == 0 && sum > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string which = argc > 1 ? argv[1] : "";
    if (which == "race")
        return Race();
    if (which == "handover")
        return HandOver(argc, argv);
    return 2;
}

#include "tsan_selftest.moc"
