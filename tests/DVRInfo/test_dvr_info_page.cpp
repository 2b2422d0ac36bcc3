// The DVR information page reading the simulated DVR.

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include "Common/TextCodec.h"
#include "DVRInfo/DVRInfoWidget.h"
#include "DVRInfo/HDDWidget.h"
#include "DVRInfo/InfoWidget.h"
#include "DVRInfo/LogWidget.h"
#include "cgi_request.pb.h"
#include "sim/SimDvr.h"
#include "support/UiTestSupport.h"

using simdvr::CSimDvr;
using simdvr::Request;

namespace {

DVR DvrOf(const CSimDvr& sim, bool old, const char* password = "1234")
{
    DVR dvr;
    dvr.set_name("Lobby");
    dvr.set_address("127.0.0.1");
    dvr.set_port(sim.port());
    dvr.set_id("admin");
    dvr.set_password(password);
    dvr.set_old_protocol(old);
    return dvr;
}

simdvr::Config TwoDisks()
{
    simdvr::Config config;
    config.modelName.clear();
    for (const auto& [total, used] : {std::pair{1000000u, 250000u}, {2000000u, 2100000u}}) {
        cgi::HddInfo_Info* disk = config.hddInfo.add_info();
        disk->set_total(total);
        disk->set_used(used);
    }
    const std::tuple<uint32_t, const char*, const char*> log[] = {
        {1262304000, "SYSTEM", "Power on"}, {1262390461, "admin", "Record start"}};
    for (const auto& [time, user, text] : log) {
        cgi::SysLog_Log* entry = config.sysLog.add_log();
        entry->set_time(time);
        entry->set_user(user);
        entry->set_log(text);
    }
    return config;
}

QString Value(const CInfoWidget* info, const char* name)
{
    return info->findChild<QLabel*>(name)->text();
}

QStringList DiskTitles(const CInfoWidget* info)
{
    QStringList titles;
    for (CHDDWidget* disk : info->disks())
        titles << disk->findChild<QGroupBox*>("HddGroup")->title() + " " + disk->findChild<QLabel*>("freespace")->text();
    return titles;
}

std::vector<int> ReadModes(const CSimDvr& sim)
{
    std::vector<int> modes;
    for (const Request& r : sim.requests())
        modes.push_back(r.mode);
    return modes;
}

bool Read(CDVRInfoWidget& page, const DVR& dvr)
{
    page.readData(dvr);
    return QTest::qWaitFor([&] { return !page.isReading(); }, 20000);
}

// The main window at its default size places the page beside its menu.
const QSize WINDOW_AT_DEFAULT_SIZE(1078, 720);
const QRect PAGE_AT_DEFAULT_SIZE(135, 34, 886, 686);

class InfoPageTest : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    uitest::ScriptedPrompt prompt;
    CDVRInfoWidget page;
};

}  // namespace

TEST_F(InfoPageTest, CurrentDvrIsReadInThreeStepsWithItsAccount)
{
    CSimDvr sim(TwoDisks());
    ASSERT_TRUE(sim.start());
    page.resize(1000, 700);
    ASSERT_TRUE(Read(page, DvrOf(sim, false)));
    EXPECT_EQ(ReadModes(sim), std::vector<int>({cgi::MODE_GET_DVR_INFO, cgi::MODE_GET_HDD_INFO, cgi::MODE_GET_SYS_LOG}));
    for (const Request& r : sim.requests())
        EXPECT_TRUE(r.transport == simdvr::Transport::Get && r.user == "admin" && r.password == "1234");
    EXPECT_TRUE(prompt.messages.isEmpty());

    const CInfoWidget* info = page.infoWidget();
    QStringList values;
    for (const char* name : {"model", "hwVersion", "kernelVersion", "appVersion", "macAddress"})
        values << Value(info, name);
    EXPECT_EQ(values, QStringList({"zvm004", "HW 1.0", "2.6.24-sim", "1.0.0-sim", "00:11:22:33:44:55"}));
    // More used than the disk holds leaves nothing free rather than wrapping.
    EXPECT_EQ(DiskTitles(info), QStringList({"HDD 1 750,000 MB", "HDD 2 0 MB"}));
    const CLogWidget* log = info->logWidget();
    ASSERT_EQ(log->rowCount(), 2);
    EXPECT_EQ(log->row(0) + log->row(1), QStringList({"2010-01-01  00:00:00", "SYSTEM", "Power on",
                                                      "2010-01-02  00:01:01", "admin", "Record start"}));
    uitest::Screenshot(&page, "dvr-information");
}

TEST_F(InfoPageTest, EveryDiskIsShownWholeAtTheDefaultWindowSize)
{
    const uitest::ProgramStyle style;
    CSimDvr sim(TwoDisks());
    ASSERT_TRUE(sim.start());
    QWidget window;
    window.resize(WINDOW_AT_DEFAULT_SIZE);
    auto* shown = new CDVRInfoWidget(&window);
    shown->setGeometry(PAGE_AT_DEFAULT_SIZE);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(Read(*shown, DvrOf(sim, false)));
    ASSERT_EQ(shown->infoWidget()->disks().size(), 2);
    for (const CHDDWidget* disk : shown->infoWidget()->disks()) {
        const std::string title = disk->findChild<QGroupBox*>("HddGroup")->title().toStdString();
        EXPECT_TRUE(shown->rect().contains(QRect(disk->mapTo(shown, QPoint(0, 0)), disk->size()))) << title;
        EXPECT_TRUE(disk->visibleRegion() == QRegion(disk->rect())) << title;
    }
    uitest::Screenshot(&window, "dvr-information-default-size");
}

TEST_F(InfoPageTest, RefusalAndSilenceShowAMessageAndNoStaleValues)
{
    CSimDvr sim(TwoDisks());
    ASSERT_TRUE(sim.start());
    ASSERT_TRUE(Read(page, DvrOf(sim, false)));
    ASSERT_EQ(page.infoWidget()->disks().size(), 2);

    sim.clearLog();
    ASSERT_TRUE(Read(page, DvrOf(sim, false, "wrong")));
    EXPECT_EQ(prompt.messages, QStringList({"[ERROR]password miss"}));
    EXPECT_EQ(ReadModes(sim), std::vector<int>({cgi::MODE_GET_DVR_INFO}));
    const CInfoWidget* info = page.infoWidget();
    EXPECT_TRUE(info->disks().isEmpty() && Value(info, "model").isEmpty() && info->logWidget()->rowCount() == 0);

    // Half a reply and then silence, or a closed connection: the same message, once.
    page.setReadTimeout(300);
    for (const bool stall : {true, false}) {
        simdvr::Misbehaviour m;
        m.replyStall = stall;
        m.replyDrop = !stall;
        sim.setMisbehaviour(m);
        prompt.messages.clear();
        ASSERT_TRUE(Read(page, DvrOf(sim, false)));
        EXPECT_EQ(prompt.messages, QStringList({"No information was received from the DVR."})) << stall;
        EXPECT_EQ(Value(info, "model"), "") << stall;
    }
}

TEST_F(InfoPageTest, OldDvrShowsItsPageAsItCame)
{
    simdvr::Config config;
    config.oldProtocol = true;
    const QString text = QString::fromUtf8("모델 : 구형 DVR\r\nHDD1 : used 1200MB - free 800MB\r\n"
                                           "HDD2 : used 300MB - free 700MB\r\n");
    config.oldInfoPage = QByteArray::fromStdString(CTextCodec::ToEucKr(text));
    CSimDvr sim(config);
    ASSERT_TRUE(sim.start());
    ASSERT_TRUE(Read(page, DvrOf(sim, true)));
    ASSERT_EQ(sim.requests().size(), 1u);
    EXPECT_EQ(sim.requests()[0].query, "MODE=6&ID=admin&PW=1234&OP=17");
    EXPECT_EQ(page.infoWidget()->oldPageText(), QString(text).replace("\r\n", "\n"));
    EXPECT_EQ(DiskTitles(page.infoWidget()), QStringList({"HDD 1 800 MB", "HDD 2 700 MB"}));
    EXPECT_FALSE(page.infoWidget()->logWidget()->isVisibleTo(&page));
    uitest::Screenshot(&page, "dvr-information-old");

    ASSERT_TRUE(Read(page, DvrOf(sim, true, "wrong")));
    EXPECT_EQ(prompt.messages, QStringList({"[ERROR]password miss"}));
    EXPECT_TRUE(page.infoWidget()->oldPageText().isEmpty());
}

// The DVR's own model text wins over its code; a code outside the model table (none has 18)
// shows as a number.
TEST(InfoWidget, OnlyTheFirstWholePacketCounts)
{
    using simdvr::MakePacket;
    const auto packet = [](uint32_t model, const char* name) {
        cgi::DvrInfo info;
        info.set_model(model);
        info.set_model_name(name);
        return MakePacket(3, cgi::DATA_DVR_INFO, QByteArray::fromStdString(info.SerializeAsString()), false);
    };
    const QByteArray dvrInfo = packet(4, "ZV-0401");
    const QByteArray junk("\xFB\xFB\xFB\xFC\x00\x01\xFF\xFF\xFF\x7F", 10);
    struct Case { const char* name; QByteArray reply; InfoReply::Result result; const char* model; };
    const Case cases[] = {
        {"nothing", QByteArray(), InfoReply::Empty, ""},
        {"half a packet", dvrInfo.left(dvrInfo.size() - 1), InfoReply::Empty, ""},
        {"information", dvrInfo, InfoReply::Shown, "ZV-0401"},
        {"model code", packet(4, ""), InfoReply::Shown, "zvm004"},
        {"unknown code", packet(18, ""), InfoReply::Shown, "18"},
        {"wild code", packet(4000000000u, ""), InfoReply::Shown, "4000000000"},
        {"after a corrupt packet", junk + dvrInfo, InfoReply::Shown, "ZV-0401"},
        {"not a message", MakePacket(0, cgi::DATA_DVR_INFO, "\xFF\xFF", false), InfoReply::Ignored, ""},
        {"another type", MakePacket(0, cgi::DATA_PICTURE_CONTROL, "", false) + dvrInfo, InfoReply::Ignored, ""},
        {"no error", MakePacket(0, cgi::DATA_RESPONSE, QByteArray(1, 0), false), InfoReply::Ignored, ""},
        {"refused", MakePacket(0, cgi::DATA_RESPONSE, QByteArray(1, 4), false), InfoReply::Refused, ""},
    };
    for (const Case& c : cases) {
        CInfoWidget widget;
        const InfoReply reply = widget.OnCompleted(c.reply);
        EXPECT_EQ(reply.result, c.result) << c.name;
        EXPECT_EQ(reply.error, c.result == InfoReply::Refused ? "[ERROR]permission denied" : "") << c.name;
        EXPECT_EQ(widget.modelText(), c.model) << c.name;
    }
    CInfoWidget widget;
    EXPECT_EQ(widget.showOldPage(MakePacket(0, CInfoWidget::OLD_RESULT_TYPE, QByteArray(1, 9), true)).error,
              "[ERROR]unknown");
}
