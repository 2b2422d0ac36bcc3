// The tables, repairs and reply rules of Configuration mode, and the shared input widgets:
// channel boxes, sequence selector, model dialog and the zone grid.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QValidator>

#include "DVRSetup/ChannelWidget.h"
#include "DVRSetup/DefStream.h"
#include "DVRSetup/KValidator.h"
#include "DVRSetup/ModelInfoDialog.h"
#include "DVRSetup/MotionDetect.h"
#include "DVRSetup/PageRules.h"
#include "DVRSetup/SeqWidget.h"
#include "DVRSetup/SetupRules.h"
#include "dvr_types/model_info.h"
#include "setup_test_util.h"
#include "sys_conf/types/model_types.h"

using namespace setuptest;

namespace {
template <class List>
std::vector<int> Ints(const List& list)
{
    return std::vector<int>(list.begin(), list.end());
}

QCheckBox* Box(QWidget& w, const QString& name) { return w.findChild<QCheckBox*>(name); }

// The watched cells of the grid, by index.
QByteArray Watched(const CMotionDetect& w)
{
    QByteArray cells;
    const QByteArray z = w.getMotionZone();
    for (int i = 0; i < z.size(); ++i)
        if (z[i])
            cells += char(i);
    return cells;
}

void MoveTo(CMotionDetect* w, QPointF at)
{
    QMouseEvent move(QEvent::MouseMove, at, QPointF(), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
}
}  // namespace

TEST(KValidator, EachRuleTakesItsCharactersUpToItsLength)
{
    QObject owner;
    QValidator* all21 = KValidator::All(&owner, 21);
    QValidator* all32 = KValidator::All(&owner, 32);
    QValidator* host = KValidator::Hostname(&owner);
    QValidator* user = KValidator::UserName(&owner);
    QValidator* pass = KValidator::UserPass(&owner);
    auto ok = [](QValidator* v, QString text) {
        int pos = 0;
        return v->validate(text, pos) == QValidator::Acceptable;
    };
    const std::tuple<QValidator*, QString, bool> rows[] = {
        {all21, QString(20, 'a'), true}, {all21, QString(21, 'a'), false}, {all32, QString(31, 'z'), true},
        {all32, QString(32, 'z'), false}, {all21, "a-b+c~[d]", true},     {all21, "Cam (1) #2 $3", true},
        {all21, QString::fromUtf8("caf\u00e9"), false}, {host, QString(19, 'h'), true}, {host, QString(20, 'h'), false},
        {host, "my-dvr", true},          {host, "my.dvr", false},          {host, "my_dvr", false},
        {user, QString(20, 'u'), true},  {user, QString(21, 'u'), false},  {user, "a.b_c-d", true},
        {user, "a b", false},            {pass, "p w", false},             {pass, "pa55.w_rd", true},
        {pass, "", true},                {host, "", true},
    };
    for (const auto& [v, text, acceptable] : rows)
        EXPECT_EQ(ok(v, text), acceptable) << text.toStdString();
    // All refuses exactly six printable characters.
    QString refused;
    for (char c = 0x20; c <= 0x7E; ++c)
        if (!ok(all21, QString(QChar(c))))
            refused += QChar(c);
    EXPECT_EQ(refused, QStringLiteral("!\"%&'*"));
}

TEST(DefStream, RatesIndexesAndDefaults)
{
    const config::VideoType ntsc = config::VideoType_NTSC, pal = config::VideoType_PAL;
    const std::tuple<config::VideoType, int, int> toIndex[] = {
        {ntsc, 30, 10}, {pal, 30, 10}, {ntsc, 0, 0}, {ntsc, -1, 0}, {pal, 13, 9},
        {ntsc, 20, 9},  {ntsc, 7, 7},  {pal, 9, 8},  {ntsc, 100, 10}};
    for (const auto& [type, fps, index] : toIndex)
        EXPECT_EQ(DefStream::FPS_REAL2IDX(type, fps), index) << type << " " << fps;
    EXPECT_EQ(DefStream::FPS_IDX2REAL(static_cast<config::VideoType>(7), 8), 9);  // any non-zero is PAL
    // Other defaults are in the pages' contract and repairs.
    const std::tuple<int, config::VideoType, KCodecType, std::vector<int>> defaults[] = {
        {4, ntsc, KCODEC_MAIN, {30, 30, 30, 30}}, {4, pal, KCODEC_SUB, {25, 9, 6, 6}},
        {8, ntsc, KCODEC_SUB, {15, 7, 3, 3}},     {8, pal, KCODEC_MAIN, {25, 25, 9, 9}},
        {12, ntsc, KCODEC_MAIN, {0, 0, 0, 0}},    {16, ntsc, KCODEC_AUTO, {0, 0, 0, 0}}};
    for (const auto& [channels, type, codec, rates] : defaults)
        for (int res = 0; res < 4; ++res)
            EXPECT_EQ(DefStream::FPS_GetDefAll(channels, type, static_cast<config::Resolution>(res), codec), rates[res])
                << channels << " " << type << " " << codec << " " << res;
}

TEST(ModelTypes, EveryValidCodeHasItsTypeAndEveryChoiceItsModel)
{
    const std::vector<std::pair<std::vector<int>, int>> ranges = {
        {{0, 17, 19, 20, 26, 30, 100, 101}, config::ModelType_960H},
        {{64, 65, 67, 68, 70, 71, 85, 85, 89, 89}, config::ModelType_HDSDI},
        {{51, 56, 73, 78, 86, 88, 91, 92, 94, 96, 131, 133}, config::ModelType_AHD},
        {{110, 113, 116, 116, 120, 125, 128, 128, 134, 135}, config::ModelType_AHD2},
    };
    int typed = 0, valid = 0;
    for (const auto& [bounds, type] : ranges)
        for (size_t i = 0; i < bounds.size(); i += 2)
            for (int code = bounds[i]; code <= bounds[i + 1]; ++code, ++typed)
                EXPECT_TRUE(DvrModel::IsValid(code) && CModelInfoDialog::ModelIndex2Type(code) == type) << code;
    for (int code = 0; code <= DvrModel::kMaxModel; ++code)
        valid += DvrModel::IsValid(code);
    EXPECT_EQ(std::make_pair(typed, valid), std::make_pair(72, 72));

    // The model of a choice: 960H, HD-SDI, AHD, AHD2; HD-SDI has no 16-channel model of its own.
    const std::pair<int, std::vector<int>> choices[] = {
        {4, {53, 64, 53, 116}}, {8, {52, 65, 52, -1}}, {16, {51, 4, 51, -1}}, {12, {4, 4, 4, 4}}};
    for (const auto& [channels, models] : choices)
        for (int type = 0; type < 4; ++type) {
            const int model = config::ModelCode_OfChoice(channels, static_cast<config::ModelType>(type));
            EXPECT_EQ(model, models[size_t(type)]) << channels << " " << type;
            EXPECT_TRUE(model < 0 || channels == 12 || int(DvrModelInfo(DvrModel(model)).channel_count) == channels);
        }

    // A channel count other than 4, 8 or 16 is the model's.
    config::DvrConf_DvrInfo odd = Info(53, 12);
    odd.add_languages("english");
    DvrInfo_Repair(&odd);
    EXPECT_EQ(std::make_pair(odd.ch_num(), odd.languages_size()), std::make_pair(4u, 1));
}

TEST(ConfReply, OnlyAFirstConfigurationPacketIsRead)
{
    using simdvr::MakePacket;
    config::DvrConf sent;
    sent.mutable_dvr_info()->set_model(64);
    const QByteArray conf = QByteArray::fromStdString(sent.SerializeAsString());
    const std::tuple<QByteArray, ConfReply, QString> rows[] = {
        {QByteArray(), ConfReply::Unreadable, {}},
        {"not a packet", ConfReply::Unreadable, {}},
        {MakePacket(0, cgi::DATA_DVR_CONF, conf, false).chopped(2), ConfReply::Unreadable, {}},
        {MakePacket(0, cgi::DATA_DVR_INFO, conf, false), ConfReply::Unreadable, {}},
        {MakePacket(0, cgi::DATA_DVR_CONF, "\x0a\xff", false), ConfReply::Unreadable, {}},
        {MakePacket(0, cgi::DATA_RESPONSE, "\x02", false) + MakePacket(0, cgi::DATA_DVR_CONF, conf, false),
         ConfReply::Refused, "[ERROR]password miss"},
        {MakePacket(0, cgi::DATA_RESPONSE, QByteArray(1, '\0'), false) + MakePacket(0, cgi::DATA_DVR_CONF, conf, false),
         ConfReply::Unreadable, {}},
        {MakePacket(0, cgi::DATA_DVR_CONF, QByteArray(), false), ConfReply::Parsed, {}},
        {"\x01" + MakePacket(7, cgi::DATA_DVR_CONF, conf, false), ConfReply::Parsed, {}},
    };
    for (const auto& [reply, result, refusal] : rows) {
        config::DvrConf got;
        QString refused;
        EXPECT_EQ(DvrConf_ReadReply(reply, &got, &refused), result) << reply.toHex().constData();
        EXPECT_EQ(refused, refusal);
        EXPECT_EQ(CSetupWidget::Byte2Conf(reply, &got), result == ConfReply::Parsed ? 0 : -1);
    }
    config::DvrConf got;
    ASSERT_EQ(CSetupWidget::Byte2Conf(MakePacket(7, cgi::DATA_DVR_CONF, conf, false), &got), 0);
    EXPECT_EQ(got.dvr_info().model(), 64u);
}

// ---- repairs on read -------------------------------------------------------------------------

TEST(PageRules, NetworkStreamsOnePerChannelEachWithFourEntries)
{
    // The sub stream's rates, not the record page's main stream ones.
    const config::Network_H264 fresh = Network_DefaultStream(16, config::VideoType_PAL);
    EXPECT_EQ(fresh.resolution(), config::RESOLUTION_CIF);
    EXPECT_EQ(std::make_pair(Ints(fresh.qual()), Ints(fresh.fps())),
              std::make_pair(std::vector<int>{2, 2, 2, 2}, std::vector<int>{12, 6, 3, 1}));

    config::Network kept;
    for (int c = 0; c < 4; ++c) {
        config::Network_H264* s = kept.mutable_stream()->add_h264();
        s->set_resolution(c == 2 ? config::RESOLUTION_960H : config::RESOLUTION_D1);
        for (int r = 0; r < (c == 2 ? 3 : 4); ++r)  // a short quality list on channel 2
            s->add_qual(static_cast<config::Quality>((r + c) % 4)), s->add_fps(uint32_t(r + 1));
    }
    config::Network repaired = kept;
    Network_MakeValid(&repaired, 4, config::VideoType_NTSC);
    config::Network expected = kept;
    *expected.mutable_stream()->mutable_h264(2) = Network_DefaultStream(4, config::VideoType_NTSC);
    expected.mutable_stream()->mutable_h264(2)->set_resolution(config::RESOLUTION_960H);
    EXPECT_EQ(Bytes(repaired), Bytes(expected));
    EXPECT_EQ(Ints(expected.stream().h264(2).fps()), (std::vector<int>{30, 15, 7, 7}));
    // Another count: every entry is replaced.
    Network_MakeValid(&kept, 8, config::VideoType_NTSC);
    ASSERT_EQ(kept.stream().h264_size(), 8);
    for (const auto& s : kept.stream().h264())
        EXPECT_EQ(Bytes(s), Bytes(Network_DefaultStream(8, config::VideoType_NTSC)));
}

TEST(PageRules, RecordRepairsByModel)
{
    config::Record record;
    for (int c = 0; c < 8; ++c) {
        config::Record_Channel* ch = record.add_channel();
        ch->set_resolution(config::RESOLUTION_CIF);
        ch->set_record_mode(static_cast<config::RecordMode>(c));
        for (int r = 0; r < 4; ++r)
            ch->add_qual(config::QUALITY_LOW), ch->add_fps(7), ch->add_qual_evt(config::QUALITY_SUPER);
        ch->add_fps_evt(1);  // one entry: replaced
    }
    const int lengths[] = {168, 100, 200, 168};
    for (int len : lengths) {
        config::Record_Schedule* s = record.add_schedule();
        for (int i = 0; i < len; ++i)
            s->add_record_mode(static_cast<config::RecordMode>(i % 10));
    }

    // Without sensors (model 8) the sensor modes 3 and 4 become MANUAL; schedules padded or cut.
    config::Record a = record;
    Record_MakeValid(&a, PageModel_Of(Info(8, 8, 0)));
    ASSERT_EQ(a.channel_size(), 8);
    for (int c = 0; c < 8; ++c) {
        const config::Record_Channel& ch = a.channel(c);
        EXPECT_EQ(ch.resolution(), config::RESOLUTION_CIF);
        EXPECT_EQ(ch.record_mode(), c == 3 || c == 4 ? config::RECORD_MODE_MANUAL : c) << c;
        EXPECT_EQ(Ints(ch.qual()), (std::vector<int>{0, 0, 0, 0}));
        EXPECT_EQ(Ints(ch.fps_evt()), (std::vector<int>{30, 30, 15, 15}));  // the main stream's, 8 channels NTSC
    }
    ASSERT_EQ(a.schedule_size(), 4);
    for (int s = 0; s < 4; ++s) {
        std::vector<int> cells;
        for (int i = 0; i < SCHEDULE_CELLS; ++i)
            cells.push_back(i < lengths[s] && i % 10 != 3 && i % 10 != 4 ? i % 10 : 0);
        EXPECT_EQ(Ints(a.schedule(s).record_mode()), cells) << s;
    }

    // HD models have no resolution 0; with sensors every mode stays.
    config::Record b = record;
    Record_MakeValid(&b, PageModel_Of(Info(65, 8, 1)));
    EXPECT_EQ(b.channel(0).resolution(), config::RESOLUTION_HALF_D1);
    EXPECT_EQ(b.channel(3).record_mode(), config::RECORD_MODE_SENSOR);
    EXPECT_EQ(b.schedule(0).record_mode(4), config::RECORD_MODE_MOTION_SENSOR);

    // Another channel count or schedule count: rebuilt from nothing.
    record.mutable_schedule()->RemoveLast();
    Record_MakeValid(&record, PageModel_Of(Info(4, 16, 1)));
    ASSERT_EQ(record.channel_size(), 16);
    EXPECT_FALSE(record.channel(0).has_resolution());
    EXPECT_EQ(Ints(record.channel(15).fps()), (std::vector<int>{25, 25, 25, 13}));
    for (const auto& s : record.schedule())
        EXPECT_EQ(Ints(s.record_mode()), std::vector<int>(SCHEDULE_CELLS, 0));
}

TEST(PageRules, EventListsRebuiltOnlyWhenTheirLengthIsWrongZonesAlwaysSized)
{
    const PageModel model = PageModel_Of(Info(53, 4, 0));  // 4 channels, 4 sensors, 16 x 12
    config::Event event;
    for (int c = 0; c < 4; ++c) {
        config::Event_Motion* m = event.mutable_motion_conf()->add_motion();
        m->set_sensitivity(uint32_t(c + 1));
        m->mutable_zone()->Resize(c == 0 ? 330 : 100, true);
        event.mutable_relay()->add_motion(true);
    }
    for (int j = 0; j < 3; ++j)
        event.mutable_sensor_conf()->add_sensor()->set_type(config::Event_Sensor::TYPE_NC);
    event.mutable_relay()->add_video_loss(true);
    for (int i = 0; i < 3; ++i)
        event.mutable_email()->mutable_address()->add_receiver("r");
    config::Event expected = event;

    Event_MakeValid(&event, model, 192);
    // Four motion entries: kept, their zones cut or padded with unwatched cells.
    for (int c = 0; c < 4; ++c) {
        config::Event_Motion* m = expected.mutable_motion_conf()->mutable_motion(c);
        m->mutable_zone()->Resize(c == 0 ? 192 : 100, true);
        m->mutable_zone()->Resize(192, false);
    }
    // Three sensors for four: every sensor at its defaults, linked to its own channel.
    expected.mutable_sensor_conf()->clear_sensor();
    for (uint32_t j = 0; j < 4; ++j)
        expected.mutable_sensor_conf()->add_sensor()->set_link_ch(j), expected.mutable_relay()->add_sensor(false);
    expected.mutable_email()->mutable_address()->clear_receiver();
    for (int i = 0; i < 4; ++i)
        expected.mutable_email()->mutable_address()->add_receiver("");
    EXPECT_EQ(Bytes(event), Bytes(expected));

    // Another channel count: every motion entry starts again, unwatched.
    Event_MakeValid(&event, PageModel_Of(Info(65, 8, 1)), 396);
    ASSERT_EQ(event.motion_conf().motion_size(), 8);
    EXPECT_FALSE(event.motion_conf().motion(0).has_sensitivity());
    EXPECT_EQ(Zone_ToBytes(event.motion_conf().motion(7)), QByteArray(396, '\0'));
    // Without sensors nothing about sensors is added.
    config::Event bare;
    Event_MakeValid(&bare, PageModel_Of(Info(10, 16, 0)), 192);
    EXPECT_FALSE(bare.has_sensor_conf());
    EXPECT_EQ(bare.relay().motion_size(), 16);
}

// ---- widgets ----------------------------------------------------------------------------------

TEST(ChannelWidget, TheLimitUnticksTheOldestShownTick)
{
    const struct {
        int limit, shown;
        unsigned long start;
        std::vector<std::pair<int, unsigned long>> clicks;  // channel clicked (0-based), mask afterwards
    } cases[] = {
        // Limit 1: radio buttons that can all be off.
        {1, 16, 0x1, {{1, 0x2}, {1, 0x0}, {3, 0x8}}},
        // Limit 4 after CH1-CH4: CH5 unticks CH1; unticking CH2 frees a place for CH6.
        {4, 16, 0xF, {{4, 0x1E}, {1, 0x1C}, {5, 0x3C}, {6, 0x78}}},
        // Re-ticking a box puts it last in line.
        {2, 16, 0x3, {{0, 0x2}, {0, 0x3}, {2, 0x5}}},
        // More ticks than the limit: nothing is unticked until the count is back to the limit.
        {2, 16, 0x7, {{5, 0x27}, {0, 0x26}, {1, 0x24}, {1, 0x22}, {3, 0x0A}}},
        // No limit: clicks never change other boxes; more than 16 channels show 16.
        {0, 40, 0xFF, {{8, 0x1FF}, {0, 0x1FE}, {15, 0x81FE}}},
        // Hidden boxes neither count nor hold a place: with CH1 the only shown tick, the next
        // tick reaches the limit and the one after unticks CH1.
        {4, 4, 0xF0F0, {}},
        {2, 4, 0x1C1, {{1, 0x3}, {2, 0x6}}},
    };
    for (const auto& c : cases) {
        CChannelWidget w;
        w.setCheckableCount(c.limit);
        w.setChMask(c.start);
        w.updateChannelCtrl(c.shown);
        EXPECT_EQ(w.getChMask(), c.start & ((1ul << std::min(c.shown, 16)) - 1));
        for (const auto& [click, after] : c.clicks) {
            Box(w, QStringLiteral("ch%1").arg(click))->click();
            EXPECT_EQ(w.getChMask(), after) << "limit " << c.limit << " click " << click;
        }
    }
}

TEST(SeqWidget, LayoutBitsFollowTheChannelCount)
{
    CSeqWidget w;
    const struct {
        int channels;
        bool hdSdi;
        unsigned long set, got;
        QString shown;  // layout boxes shown
    } rows[] = {
        {16, false, 0xFFFFFFFF, 0x7FFFFF, "1234567"},
        // On 8 channels the third layout is M1-8 at bit 20; bits 18, 19, 21, 22 are not kept.
        {8, false, 0x7F00FF, 0x1300FF, "125"},
        {8, false, 0x0FF0, 0x00F0, "125"},
        {4, false, 0xFFFFFFFF, 0x1000F, "1"},
        // HD-SDI hides the layouts but keeps their bits.
        {16, true, 0x10000, 0x10000, ""},
    };
    for (const auto& row : rows) {
        w.updateChannelCtrl(row.channels, row.hdSdi);
        w.setChMask(row.set);
        EXPECT_EQ(w.getChMask(), row.got) << row.channels;
        QString shown;
        for (int j = 1; j <= 7; ++j)
            if (!Box(w, QStringLiteral("chM%1").arg(j))->isHidden())
                shown += QString::number(j);
        EXPECT_EQ(shown, row.shown) << row.channels;
    }
    // A language change keeps "M1-8" on 8 channels.
    w.updateChannelCtrl(8, false);
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&w, &change);
    EXPECT_EQ(Box(w, "chM5")->text(), "M1-8");
    w.updateChannelCtrl(16, false);
    EXPECT_EQ(Box(w, "chM5")->text(), "M1-9");
}

TEST(ModelInfoDialog, ChoicesFollowTheModelType)
{
    CModelInfoDialog dialog;
    auto* combo = dialog.findChild<QComboBox*>("combo_dvrModel");
    QPushButton* ok = dialog.findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Ok);
    auto radio = [&](int n) { return dialog.findChild<QRadioButton*>(QStringLiteral("channels%1").arg(n)); };
    // A configuration of model 64 (HD-SDI, 4 channels).
    dialog.setDVRChannels(4);
    dialog.setVideoType(config::VideoType_PAL);
    dialog.setModel(64);
    dialog.show();
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_TRUE(radio(16)->isHidden());
    EXPECT_EQ(dialog.getVideoType(), 1);
    EXPECT_TRUE(ok->isEnabled());

    // The rule looks at the checked choice: 16 ticked under AHD, then HD-SDI falls back to 4.
    combo->setCurrentIndex(2);
    QTest::mouseClick(radio(16), Qt::LeftButton);
    EXPECT_EQ(dialog.getDVRChannels(), 16);
    combo->setCurrentIndex(1);
    EXPECT_EQ(dialog.getDVRChannels(), 4);
    // AHD2 has 4 channels only.
    QTest::mouseClick(radio(8), Qt::LeftButton);
    combo->setCurrentIndex(3);
    EXPECT_TRUE(radio(8)->isHidden() && radio(16)->isHidden());
    EXPECT_EQ(std::make_pair(dialog.getDVRChannels(), dialog.getModelType()), std::make_pair(4, 3));
    combo->setCurrentIndex(0);
    EXPECT_FALSE(radio(8)->isHidden() || radio(16)->isHidden());

    // A channel count without a choice leaves OK disabled until one is chosen.
    dialog.setDVRChannels(12);
    EXPECT_EQ(dialog.getDVRChannels(), -1);
    EXPECT_FALSE(ok->isEnabled());
    QTest::mouseClick(radio(8), Qt::LeftButton);
    EXPECT_TRUE(ok->isEnabled());
}

TEST(MotionDetect, PressesDragsAndDoubleClicksEditCells)
{
    // 16 x 12 of 22 x 20 pixels: row 2, column 5 is byte 37. QTest takes a null point for the
    // widget's centre, so no point here is (0, 0).
    CMotionDetect g;
    g.resize(352, 240);
    g.setMotionZone(12, 16, QByteArray(16 * 12, '\0'));
    g.show();
    QTest::mouseClick(&g, Qt::LeftButton, {}, QPoint(5 * 22 + 3, 2 * 20 + 3));
    g.updateMotionZone(true);
    EXPECT_EQ(Watched(g), QByteArray(1, 37));
    // Drag up and to the left, then Selection: the whole block, corners included.
    QTest::mousePress(&g, Qt::LeftButton, {}, QPoint(3 * 22 + 1, 4 * 20 + 1));
    MoveTo(&g, QPointF(1 * 22 + 1, 3 * 20 + 1));
    QTest::mouseRelease(&g, Qt::LeftButton, {}, QPoint(1 * 22 + 1, 3 * 20 + 1));
    EXPECT_EQ(std::make_pair(g.dragStart(), g.dragEnd()), std::make_pair(QPoint(3, 4), QPoint(1, 3)));
    g.updateMotionZone(true);
    EXPECT_EQ(Watched(g), QByteArray("\x25\x31\x32\x33\x41\x42\x43", 7));
    // Clear after a single click clears only that cell.
    QTest::mouseClick(&g, Qt::LeftButton, {}, QPoint(2 * 22 + 1, 3 * 20 + 1));
    g.updateMotionZone(false);
    EXPECT_EQ(Watched(g), QByteArray("\x25\x31\x33\x41\x42\x43", 6));
    // A double click toggles the cell of the press that began it; twice restores it.
    for (char expected : {1, 0}) {
        QTest::mouseClick(&g, Qt::LeftButton, {}, QPoint(1, 1));
        QTest::mouseDClick(&g, Qt::LeftButton, {}, QPoint(1, 1));
        EXPECT_EQ(g.getMotionZone().at(0), expected);
    }

    // 22 x 18 of 16 x 13 pixels: the strip below row 17 and points outside clamp.
    g.setMotionZone(18, 22, QByteArray(22 * 18, '\0'));
    QTest::mouseClick(&g, Qt::LeftButton, {}, QPoint(351, 238));
    EXPECT_EQ(g.dragStart(), QPoint(21, 17));
    QTest::mousePress(&g, Qt::LeftButton, {}, QPoint(1, 1));
    MoveTo(&g, QPointF(500, -40));
    EXPECT_EQ(g.dragEnd(), QPoint(21, 0));
    g.updateMotionZone(true);
    EXPECT_EQ(Watched(g).size(), 22);

    // A grid that cannot be laid out takes no input.
    g.setMotionZone(0, 0, QByteArray());
    QTest::mouseDClick(&g, Qt::LeftButton, {}, QPoint(10, 10));
    g.updateMotionZone(true);
    EXPECT_TRUE(g.getMotionZone().isEmpty());
}
