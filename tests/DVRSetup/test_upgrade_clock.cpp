// The firmware upgrade panel and its progress, and the date, time and reset panel.

#include <algorithm>
#include <ctime>

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
#include "setup_test_util.h"

using namespace setuptest;

namespace {

struct UpgradePanel {
    UpgradePanel()
    {
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
    bool idle()
    {
        return panel.progressDialog()->isHidden() && Child<QPushButton>(panel, "upgrade")->isEnabled()
               && Child<QPushButton>(panel, "close")->isEnabled();
    }

    uitest::Sandbox sandbox;
    uitest::ScriptedPrompt prompt;
    QTemporaryDir dir;
    QString image = dir.filePath("dvr-firmware.img");
    CUpgrade panel;
};

}  // namespace

TEST(Upgrade, TheImageGoesUnchangedWithItsTypeAndTheOutcomeIsShown)
{
    auto sim = StartSim();
    UpgradePanel u;
    QFile image(u.image);
    ASSERT_TRUE(image.open(QIODevice::ReadOnly));
    const QByteArray bytes = image.readAll();
    // Type (the cgi::SwUpgrade value), the DVR's result code, whether the file exists.
    const std::tuple<int, int, bool, QString> rows[] = {
        {1, 0, true, "The upgrade is completed!"},
        {0, 3, true, "The upgrade is failed!"},
        {0, 0, false, "The upgrade is failed!"},
    };
    for (const auto& [type, resultCode, exists, message] : rows) {
        simdvr::Config c = sim->config();
        c.uploadResultCode = resultCode;
        sim->setConfig(c);
        sim->clearLog();
        u.prompt.messages.clear();
        u.start(Entry(*sim), type, exists ? u.image : u.dir.filePath("missing.img"));
        ASSERT_TRUE(WaitForMessage(u.prompt));
        EXPECT_EQ(u.prompt.messages, QStringList{message});
        EXPECT_TRUE(u.idle());
        const auto uploads = Of(*sim, Transport::Upload, cgi::MODE_SW_UPGRADE);
        ASSERT_EQ(uploads.size(), exists ? 1u : 0u);
        if (!exists)
            continue;
        cgi::SwUpgrade request;
        ASSERT_TRUE(uploads[0].dataOk && uploads[0].message(&request));
        EXPECT_EQ(int(request.type()), type);
        EXPECT_EQ(uploads[0].user, "admin");
        EXPECT_EQ(uploads[0].fileField + " " + uploads[0].fileName, "REQ dvr-firmware.img");
        EXPECT_EQ(uploads[0].fileData, bytes);
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
    EXPECT_FALSE(u.idle());
    // The whole image is sent before the DVR falls silent.
    auto* bar = Child<QProgressBar>(*u.panel.progressDialog(), "progressBar");
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->value() == 100; }, 10000));
    uitest::Screenshot(&u.panel, "upgrade_panel");
    uitest::Screenshot(u.panel.progressDialog(), "upgrade_progress");
    Child<QPushButton>(*u.panel.progressDialog(), "abortButton")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !u.panel.isUploading(); }, 10000));
    EXPECT_TRUE(u.idle());
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
}

// The DVR's clock is its wall clock kept as UTC: the PC's own zone (here Seoul) must not shift
// it. Both commands are in flight at once.
TEST(SetupEtc, ClockAndResetReachTheDvrInBothProtocols)
{
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "Asia/Seoul");
    tzset();
    const std::tuple<bool, QDate, QTime, uint32_t, QByteArray> rows[] = {
        {false, QDate(2024, 2, 29), QTime(13, 14, 15), 1709212455u, {}},
        {false, QDate(1970, 1, 1), QTime(0, 0, 0), 0u, {}},
        {true, QDate(2024, 2, 29), QTime(13, 14, 15), 0u, "MODE=5&OP=19&ID=admin&PW=1234&LEN=12&REQ=240229131415"},
    };
    for (const auto& [old, date, time, seconds, oldQuery] : rows) {
        auto sim = StartSim(config::DvrConf(), old);
        CSetupEtc panel;
        panel.setDVR(Entry(*sim, "admin", "1234", old));
        Child<QDateEdit>(panel, "dateEdit")->setDate(date);
        Child<QTimeEdit>(panel, "timeEdit")->setTime(time);
        Child<QPushButton>(panel, "apply")->click();
        panel.ResetDVR();
        ASSERT_TRUE(sim->waitUntil([&] { return sim->requests().size() == 2; }));
        auto posts = sim->requests();
        auto clock = [](const Request& r) { return r.body.contains("OP=19") || r.mode == cgi::MODE_DVR_TIME; };
        std::sort(posts.begin(), posts.end(), [&](const Request& a, const Request& b) { return clock(a) && !clock(b); });
        EXPECT_TRUE(posts[0].transport == Transport::Post && posts[1].transport == Transport::Post);
        if (old) {
            EXPECT_EQ(posts[0].body, oldQuery);
            EXPECT_EQ(posts[1].body, "MODE=5&ID=admin&PW=1234&OP=18");
            continue;
        }
        cgi::DvrTime sent;
        ASSERT_EQ(posts[0].mode, cgi::MODE_DVR_TIME);
        ASSERT_TRUE(posts[0].message(&sent));
        EXPECT_EQ(sent.time(), seconds) << date.toString().toStdString();
        EXPECT_EQ(posts[0].user, "admin");
        EXPECT_EQ(posts[1].mode, cgi::MODE_RESET_DVR);
        EXPECT_TRUE(posts[1].dataOk && posts[1].data.empty());
    }
    zone.isNull() ? qunsetenv("TZ") : qputenv("TZ", zone);
    tzset();
}

TEST(SetupEtc, FormatsOfTheConfigurationAndTheClockAtEveryFill)
{
    CSetupEtc panel;
    auto* date = Child<QDateEdit>(panel, "dateEdit");
    auto* time = Child<QTimeEdit>(panel, "timeEdit");
    const std::tuple<int, int, QString, QString> rows[] = {
        {0, 0, "yyyy-MM-dd", "hh:mm:ss"}, {1, 1, "dd-MM-yyyy", "AP hh:mm:ss"}, {2, 0, "MM-dd-yyyy", "hh:mm:ss"}};
    for (const auto& [dateFormat, timeFormat, dateShown, timeShown] : rows) {
        config::System sys;
        sys.mutable_time_date()->set_date_format(static_cast<config::System_TimeDate_DateFormat>(dateFormat));
        sys.mutable_time_date()->set_time_format(static_cast<config::System_TimeDate_TimeFormat>(timeFormat));
        date->setDate(QDate(2001, 2, 3));
        panel.SetConf(sys);
        EXPECT_EQ(std::make_pair(date->displayFormat(), time->displayFormat()), std::make_pair(dateShown, timeShown));
        EXPECT_EQ(date->date(), QDate::currentDate());
    }
    EXPECT_EQ(CSetupEtc::DateDisplayFormat(7) + CSetupEtc::TimeDisplayFormat(9), "MM-dd-yyyyhh:mm:ss");
    // The date range is what the DVR's clock can hold.
    DVR old;
    old.set_old_protocol(true);
    panel.setDVR(old);
    EXPECT_EQ(std::make_pair(date->minimumDate(), date->maximumDate()), std::make_pair(QDate(2000, 1, 1), QDate(2099, 12, 31)));
    panel.setDVR(DVR());
    EXPECT_EQ(std::make_pair(date->minimumDate(), date->maximumDate()), std::make_pair(QDate(1970, 1, 1), QDate(2106, 2, 6)));
}
