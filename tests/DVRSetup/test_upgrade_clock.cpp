// The firmware upgrade panel, its progress dialog, and the clock and reset commands.

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimeEdit>

#include "DVRSetup/ProgressDialog.h"
#include "DVRSetup/SetupEtc.h"
#include "DVRSetup/Upgrade.h"
#include "Network/SendCommand.h"
#include "setup_test_util.h"

using namespace setuptest;

namespace {

struct UpgradePanel {
    UpgradePanel()
    {
        image = dir.filePath("dvr-firmware.img");
        QFile f(image);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        for (int i = 0; i < 64 * 1024; ++i)
            f.putChar(char(i * 7));
    }
    void start(const DVR& dvr, int type, const QString& file)
    {
        panel.setDVR(dvr);
        Child<QComboBox>(panel, "type")->setCurrentIndex(type);
        Child<QLineEdit>(panel, "fileName")->setText(file);
        Child<QPushButton>(panel, "upgrade")->click();
    }
    bool buttonsEnabled() { return Child<QPushButton>(panel, "upgrade")->isEnabled() && Child<QPushButton>(panel, "close")->isEnabled(); }

    uitest::Sandbox sandbox;
    uitest::ScriptedPrompt prompt;
    QTemporaryDir dir;
    QString image;
    CUpgrade panel;
};

QByteArray FileBytes(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(Upgrade, TheImageGoesUnchangedWithItsTypeAndTheOutcomeIsShown)
{
    auto sim = StartSim();
    UpgradePanel u;
    const struct {
        int type;
        int resultCode;
        bool fileExists;
        QString message;
    } rows[] = {
        {1, 0, true, "The upgrade is completed!"},
        {0, 3, true, "The upgrade is failed!"},
        {0, 0, false, "The upgrade is failed!"},
    };
    for (const auto& row : rows) {
        simdvr::Config c = sim->config();
        c.uploadResultCode = row.resultCode;
        sim->setConfig(c);
        sim->clearLog();
        u.prompt.messages.clear();
        u.start(Entry(*sim), row.type, row.fileExists ? u.image : u.dir.filePath("missing.img"));
        ASSERT_TRUE(WaitForMessage(u.prompt));
        EXPECT_EQ(u.prompt.messages, QStringList{row.message});
        EXPECT_TRUE(u.panel.progressDialog()->isHidden());
        EXPECT_TRUE(u.buttonsEnabled());
        const auto uploads = Of(*sim, Transport::Upload, cgi::MODE_SW_UPGRADE);
        ASSERT_EQ(uploads.size(), row.fileExists ? 1u : 0u);
        if (!row.fileExists)
            continue;
        cgi::SwUpgrade request;
        ASSERT_TRUE(uploads[0].dataOk && uploads[0].message(&request));
        EXPECT_EQ(int(request.type()), row.type);
        EXPECT_EQ(uploads[0].user, "admin");
        EXPECT_EQ(uploads[0].fileField, "REQ");
        EXPECT_EQ(uploads[0].fileName, "dvr-firmware.img");
        EXPECT_EQ(uploads[0].fileData, FileBytes(u.image));
    }

    // Without an address or a file nothing goes out.
    sim->clearLog();
    DVR nowhere = Entry(*sim);
    nowhere.set_address("");
    u.start(nowhere, 0, u.image);
    u.start(Entry(*sim), 0, QString());
    EXPECT_TRUE(u.panel.progressDialog()->isHidden());
    EXPECT_TRUE(CUpgrade::UpgradeQuery(Entry(*sim), 2).isEmpty());
    u.prompt.files = {u.image};
    Child<QPushButton>(u.panel, "browse")->click();
    EXPECT_EQ(Child<QLineEdit>(u.panel, "fileName")->text(), u.image);
    EXPECT_TRUE(sim->requests().empty());
}

TEST(Upgrade, AbortingAStallingUploadShowsNoBox)
{
    auto sim = StartSim();
    simdvr::Misbehaviour hold;
    hold.holdRequests = 1;
    hold.holdMs = 30000;
    sim->setMisbehaviour(hold);
    UpgradePanel u;
    u.panel.resize(889, 680);
    u.start(Entry(*sim), 0, u.image);
    EXPECT_FALSE(u.panel.progressDialog()->isHidden());
    EXPECT_FALSE(u.buttonsEnabled());
    // The whole image is sent before the DVR falls silent.
    auto* bar = Child<QProgressBar>(*u.panel.progressDialog(), "progressBar");
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->value() == 100; }, 10000));
    uitest::Screenshot(&u.panel, "upgrade_panel");
    uitest::Screenshot(u.panel.progressDialog(), "upgrade_progress");
    Child<QPushButton>(*u.panel.progressDialog(), "abortButton")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !u.panel.isUploading(); }, 10000));
    EXPECT_TRUE(u.panel.progressDialog()->isHidden());
    EXPECT_TRUE(u.buttonsEnabled());
    EXPECT_TRUE(u.prompt.messages.isEmpty());
}

TEST(ProgressDialog, ThePercentageMovesOnlyWhenItChanges)
{
    CProgressDialog dialog;
    auto* bar = Child<QProgressBar>(dialog, "progressBar");
    QSignalSpy changes(bar, &QProgressBar::valueChanged);
    const std::tuple<qint64, qint64, int> reports[] = {
        {0, 0, 0}, {10, 0, 0}, {1, 3, 33}, {333, 1000, 33}, {2, 3, 66}, {3000000000LL, 3000000000LL, 100}};
    for (const auto& [sent, total, percent] : reports) {
        dialog.Progress(sent, total);
        EXPECT_EQ(bar->value(), percent) << sent << "/" << total;
    }
    EXPECT_EQ(changes.size(), 3);
    dialog.restart();
    EXPECT_EQ(dialog.lastPercent(), 0);
}

// ---- clock and reset ------------------------------------------------------------------------

namespace {

// The DVR's clock is its wall clock kept as UTC: the PC's own zone must not shift it.
class ForeignZone {
public:
    ForeignZone() : m_old(qgetenv("TZ"))
    {
        qputenv("TZ", "Asia/Seoul");
        tzset();
    }
    ~ForeignZone()
    {
        if (m_old.isNull())
            qunsetenv("TZ");
        else
            qputenv("TZ", m_old);
        tzset();
    }

private:
    QByteArray m_old;
};

}  // namespace

TEST(SetupEtc, ClockAndResetReachTheDvrInBothProtocols)
{
    ForeignZone zone;
    const struct {
        bool old;
        QDate date;
        QTime time;
        uint32_t seconds;  // current protocol
        QByteArray oldQuery;
    } rows[] = {
        {false, QDate(2024, 2, 29), QTime(13, 14, 15), 1709212455u, {}},
        {false, QDate(1970, 1, 1), QTime(0, 0, 0), 0u, {}},
        {true, QDate(2024, 2, 29), QTime(13, 14, 15), 0u, "MODE=5&OP=19&ID=admin&PW=1234&LEN=12&REQ=240229131415"},
    };
    for (const auto& row : rows) {
        auto sim = StartSim(config::DvrConf(), row.old);
        CSetupEtc panel;
        panel.setDVR(Entry(*sim, "admin", "1234", row.old));
        Child<QDateEdit>(panel, "dateEdit")->setDate(row.date);
        Child<QTimeEdit>(panel, "timeEdit")->setTime(row.time);
        Child<QPushButton>(panel, "apply")->click();
        panel.ResetDVR();
        ASSERT_TRUE(sim->waitUntil([&] { return sim->requests().size() == 2; }));
        // Both commands are in flight at once: put the clock first.
        auto posts = sim->requests();
        auto clock = [](const Request& r) { return r.body.contains("OP=19") || r.mode == cgi::MODE_DVR_TIME; };
        std::sort(posts.begin(), posts.end(), [&](const Request& a, const Request& b) { return clock(a) && !clock(b); });
        for (const Request& r : posts)
            EXPECT_EQ(r.transport, Transport::Post);
        if (row.old) {
            EXPECT_EQ(posts[0].body, row.oldQuery);
            EXPECT_EQ(posts[1].body, "MODE=5&ID=admin&PW=1234&OP=18");
            continue;
        }
        cgi::DvrTime time;
        ASSERT_EQ(posts[0].mode, cgi::MODE_DVR_TIME);
        ASSERT_TRUE(posts[0].message(&time));
        EXPECT_EQ(time.time(), row.seconds) << row.date.toString().toStdString();
        EXPECT_EQ(posts[0].user, "admin");
        EXPECT_EQ(posts[1].mode, cgi::MODE_RESET_DVR);
        EXPECT_TRUE(posts[1].dataOk && posts[1].data.empty());
    }
}
