// The tables and plain rules of Configuration mode, without widgets.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <QObject>
#include <QValidator>

#include "DVRSetup/DefStream.h"
#include "DVRSetup/KValidator.h"
#include "DVRSetup/ModelInfoDialog.h"
#include "DVRSetup/SetupRules.h"
#include "DVRSetup/SetupWidget.h"
#include "dvr_types/model_info.h"
#include "sim/SimDvr.h"
#include "sys_conf/types/camera_types.h"
#include "sys_conf/types/model_types.h"

namespace {

bool Acceptable(QValidator* v, QString text)
{
    int pos = 0;
    return v->validate(text, pos) == QValidator::Acceptable;
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
    EXPECT_EQ(all21->parent(), &owner);
    const struct {
        QValidator* v;
        QString text;
        bool ok;
    } rows[] = {
        {all21, QString(20, 'a'), true},   {all21, QString(21, 'a'), false},
        {all32, QString(31, 'z'), true},   {all32, QString(32, 'z'), false},
        {all21, "a-b+c~[d]", true},        {all21, "Cam (1) #2 $3", true},
        {all21, "50%", false},             {all21, "R&D", false},
        {all21, QString::fromUtf8("caf\u00e9"), false},
        {host, QString(19, 'h'), true},    {host, QString(20, 'h'), false},
        {host, "my-dvr", true},            {host, "my.dvr", false},  {host, "my_dvr", false},
        {user, QString(20, 'u'), true},    {user, QString(21, 'u'), false},
        {user, "a.b_c-d", true},           {user, "a b", false},     {pass, "p w", false},
        {pass, "pa55.w_rd", true},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Acceptable(row.v, row.text), row.ok) << row.text.toStdString();
    for (QValidator* v : {all21, host, user, pass})
        EXPECT_TRUE(Acceptable(v, QString()));

    // All refuses exactly six printable characters.
    QString refused;
    for (char c = 0x20; c <= 0x7E; ++c)
        if (!Acceptable(all21, QString(QChar(c))))
            refused += QChar(c);
    EXPECT_EQ(refused, QStringLiteral("!\"%&'*"));
}

TEST(DefStream, RatesIndexesAndDefaults)
{
    const config::VideoType ntsc = config::VideoType_NTSC, pal = config::VideoType_PAL;
    EXPECT_EQ(DefStream::Quality, (QStringList{"Low", "Medium", "High", "Super"}));
    EXPECT_EQ(DefStream::FPS_IDX2REAL(pal, 8), 9);
    EXPECT_EQ(DefStream::FPS_IDX2REAL(ntsc, 8), 10);
    EXPECT_EQ(DefStream::FPS_IDX2REAL(static_cast<config::VideoType>(7), 10), 25);  // any non-zero is PAL
    const struct {
        config::VideoType type;
        int fps, index;
    } toIndex[] = {{ntsc, 30, 10}, {pal, 30, 10}, {ntsc, 0, 0}, {pal, 0, 0}, {ntsc, -1, 0},
                   {pal, 13, 9},   {ntsc, 20, 9}, {ntsc, 7, 7}, {pal, 9, 8},  {ntsc, 100, 10}};
    for (const auto& row : toIndex)
        EXPECT_EQ(DefStream::FPS_REAL2IDX(row.type, row.fps), row.index) << row.type << " " << row.fps;

    const struct {
        int channels;
        config::VideoType type;
        KCodecType codec;
        std::vector<int> rates;
    } defaults[] = {
        {4, ntsc, KCODEC_MAIN, {30, 30, 30, 30}},  {4, pal, KCODEC_SUB, {25, 9, 6, 6}},
        {8, ntsc, KCODEC_SUB, {15, 7, 3, 3}},      {8, pal, KCODEC_MAIN, {25, 25, 9, 9}},
        {16, pal, KCODEC_MAIN, {25, 25, 25, 13}},  {16, ntsc, KCODEC_SUB, {15, 7, 3, 1}},
        {16, pal, KCODEC_SUB, {12, 6, 3, 1}},      {12, ntsc, KCODEC_MAIN, {0, 0, 0, 0}},
        {16, ntsc, KCODEC_AUTO, {0, 0, 0, 0}},
    };
    for (const auto& row : defaults)
        for (int res = 0; res < 4; ++res)
            EXPECT_EQ(DefStream::FPS_GetDefAll(row.channels, row.type, static_cast<config::Resolution>(res), row.codec),
                      row.rates[res])
                << row.channels << " " << row.type << " " << row.codec << " " << res;
    EXPECT_EQ(DefStream::FPS_REAL2IDX(pal, DefStream::FPS_GetDefAll(16, pal, config::RESOLUTION_960H, KCODEC_MAIN)), 9);
}

TEST(ModelTypes, EveryValidCodeHasItsTypeAndEveryChoiceItsModel)
{
    const std::vector<std::pair<std::vector<int>, int>> ranges = {
        {{0, 17, 19, 20, 26, 30, 100, 101}, config::ModelType_960H},
        {{64, 65, 67, 68, 70, 71, 85, 85, 89, 89}, config::ModelType_HDSDI},
        {{51, 56, 73, 78, 86, 88, 91, 92, 94, 96, 131, 133}, config::ModelType_AHD},
        {{110, 113, 116, 116, 120, 125, 128, 128, 134, 135}, config::ModelType_AHD2},
    };
    int typed = 0;
    for (const auto& [bounds, type] : ranges)
        for (size_t i = 0; i < bounds.size(); i += 2)
            for (int code = bounds[i]; code <= bounds[i + 1]; ++code) {
                EXPECT_TRUE(DvrModel::IsValid(code)) << code;
                EXPECT_EQ(CModelInfoDialog::ModelIndex2Type(code), type) << code;
                ++typed;
            }
    int valid = 0;
    for (int code = 0; code <= DvrModel::kMaxModel; ++code)
        valid += DvrModel::IsValid(code);
    EXPECT_EQ(typed, 72);
    EXPECT_EQ(valid, 72);

    const struct {
        int channels;
        std::vector<int> models;  // 960H, HD-SDI, AHD, AHD2
    } choices[] = {{4, {53, 64, 53, 116}}, {8, {52, 65, 52, -1}}, {16, {51, 4, 51, -1}}, {12, {4, 4, 4, 4}}};
    for (const auto& row : choices)
        for (int type = 0; type < 4; ++type) {
            const int model = config::ModelCode_OfChoice(row.channels, static_cast<config::ModelType>(type));
            EXPECT_EQ(model, row.models[type]) << row.channels << " " << type;
            if (model >= 0 && row.channels != 12) {
                EXPECT_EQ(int(DvrModelInfo(DvrModel(model)).channel_count), type == 1 && row.channels == 16 ? 16 : row.channels);
            }
        }
    EXPECT_STREQ(config::ModelType_Index2String(1), "HD-SDI DVR");
}

TEST(DvrInfoRules, LanguagesAndChannelCountComeFromTheModelWhenMissing)
{
    const DvrModelInfo model4{DvrModel(4)};
    config::DvrConf_DvrInfo info = DvrInfo_ForModel(4, 16, 3);
    EXPECT_EQ(info.vtype(), 1u);
    ASSERT_EQ(size_t(info.languages_size()), model4.languages.size());
    EXPECT_EQ(info.languages(0), model4.languages[0]);

    config::DvrConf_DvrInfo odd;
    odd.set_model(53);
    odd.set_ch_num(12);
    odd.add_languages("english");
    DvrInfo_Repair(&odd);
    EXPECT_EQ(odd.ch_num(), 4u);
    EXPECT_EQ(odd.languages_size(), 1);
}

TEST(ConfReply, OnlyAFirstConfigurationPacketIsRead)
{
    using simdvr::MakePacket;
    config::DvrConf sent;
    sent.mutable_dvr_info()->set_model(64);
    const QByteArray conf = QByteArray::fromStdString(sent.SerializeAsString());
    const struct {
        QByteArray reply;
        ConfReply result;
        QString refusal;
    } rows[] = {
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
        {"\x01" + MakePacket(0, cgi::DATA_DVR_CONF, conf, false), ConfReply::Parsed, {}},
    };
    for (const auto& row : rows) {
        config::DvrConf got;
        QString refusal;
        EXPECT_EQ(DvrConf_ReadReply(row.reply, &got, &refusal), row.result) << row.reply.toHex().constData();
        EXPECT_EQ(refusal, row.refusal);
        EXPECT_EQ(CSetupWidget::Byte2Conf(row.reply, &got), row.result == ConfReply::Parsed ? 0 : -1);
    }
    config::DvrConf got;
    ASSERT_EQ(CSetupWidget::Byte2Conf(MakePacket(7, cgi::DATA_DVR_CONF, conf, false), &got), 0);
    EXPECT_EQ(got.dvr_info().model(), 64u);
}

TEST(CameraRules, ListsOfTheWrongSizeAreRebuiltOthersKept)
{
    const config::Camera defaults = Camera_Defaults(8);
    ASSERT_EQ(defaults.channel_size(), 8);
    EXPECT_EQ(defaults.channel(0).name(), "CH-01");
    EXPECT_EQ(defaults.channel(7).name(), "CH-08");
    ASSERT_EQ(defaults.ptz_size(), 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(defaults.ptz(i).id(), uint32_t(i + 1));
    ASSERT_EQ(defaults.spot_size(), 1);
    EXPECT_EQ(defaults.spot(0).ch_mask_nona(), 511u);
    EXPECT_FALSE(defaults.has_seq());

    config::Camera c;
    for (int i = 0; i < 4; ++i)
        c.add_channel()->set_name("door");
    c.add_ptz()->set_id(9);
    c.add_spot();
    c.add_spot();
    c.mutable_seq()->set_ch_mask(7);
    Camera_MakeValid(&c, 4);
    EXPECT_EQ(c.channel(3).name(), "door");
    ASSERT_EQ(c.ptz_size(), 4);
    EXPECT_EQ(c.ptz(0).id(), 0u);  // rebuilt, not numbered
    EXPECT_EQ(c.spot_size(), 1);
    EXPECT_EQ(c.seq().ch_mask(), 7u);
    Camera_MakeValid(&c, 16);
    EXPECT_EQ(c.channel(15).name(), "CH-16");

    const std::tuple<unsigned long, int, uint32_t> singles[] = {
        {0, 16, 0}, {0b1000, 16, 3}, {0b1010, 4, 1}, {0x100, 4, 0}, {0xFFFFFFFF, 16, 0}};
    for (const auto& [mask, n, ch] : singles)
        EXPECT_EQ(Spot_SingleChannel(mask, n), ch) << mask;

    EXPECT_TRUE(config::SpotMode_IsOffered(false, 16, config::Camera_Spot::MODE_16SPLIT));
    EXPECT_FALSE(config::SpotMode_IsOffered(false, 8, config::Camera_Spot::MODE_16SPLIT));
    EXPECT_FALSE(config::SpotMode_IsOffered(true, 16, config::Camera_Spot::MODE_QUAD));
    EXPECT_EQ(config::SeqTime_Count(), 8);
    EXPECT_STREQ(config::SeqTime_Index2String(7), "30 secs");
}
