#include "DVRSetup/SetupRules.h"

#include "cgi_response.pb.h"
#include "dvr_protocol/parser.h"
#include "dvr_types/model_info.h"
#include "Network/HttpConnect.h"

config::DvrConf_DvrInfo DvrInfo_ForModel(int model, int channels, int vtype)
{
    config::DvrConf_DvrInfo info;
    info.set_model(static_cast<uint32_t>(model));
    info.set_ch_num(static_cast<uint32_t>(channels));
    info.set_vtype(vtype != 0 ? 1 : 0);
    DvrInfo_Repair(&info);
    return info;
}

void DvrInfo_Repair(config::DvrConf_DvrInfo* info)
{
    const DvrModelInfo model{DvrModel(static_cast<int>(info->model()))};
    if (info->languages_size() == 0)
        for (const std::string& language : model.languages)
            info->add_languages(language);
    const uint32_t n = info->ch_num();
    if (n != 4 && n != 8 && n != 16)
        info->set_ch_num(static_cast<uint32_t>(model.channel_count));
}

ConfReply DvrConf_ReadReply(const QByteArray& data, config::DvrConf* conf, QString* refusal)
{
    const auto* begin = reinterpret_cast<const unsigned char*>(data.constData());
    const cgi::Parser parser(false);
    const unsigned char* stx = nullptr;
    const unsigned char* etx = nullptr;
    if (data.isEmpty() || !parser.FindPacket(begin, begin + data.size(), &stx, &etx))
        return ConfReply::Unreadable;
    const unsigned char* payload = parser.GetDataPoint(stx);
    const size_t size = parser.GetDataSize(stx, etx);
    const uint8_t type = parser.GetPayLoad(stx).data_type;
    if (type == cgi::DATA_RESPONSE && size == 1) {
        const QString text = CHttpConnect::getErrMessage(payload[0], false);
        if (text.isEmpty())
            return ConfReply::Unreadable;
        *refusal = text;
        return ConfReply::Refused;
    }
    if (type != cgi::DATA_DVR_CONF || !conf->ParseFromArray(payload, static_cast<int>(size)))
        return ConfReply::Unreadable;
    return ConfReply::Parsed;
}

void Camera_MakeValid(config::Camera* camera, int channels)
{
    if (camera->channel_size() != channels) {
        camera->clear_channel();
        for (int k = 1; k <= channels; ++k)
            camera->add_channel()->set_name(QStringLiteral("CH-%1").arg(k, 2, 10, QLatin1Char('0')).toStdString());
    }
    if (camera->ptz_size() != channels) {
        camera->clear_ptz();
        for (int k = 0; k < channels; ++k)
            camera->add_ptz();
    }
    if (camera->spot_size() != 1) {
        camera->clear_spot();
        camera->add_spot();
    }
}

config::Camera Camera_Defaults(int channels)
{
    config::Camera camera;
    for (int n = 1; n <= channels; ++n) {
        config::Camera_Ptz* ptz = camera.add_ptz();
        ptz->set_model(config::Camera_Ptz::MODEL_PELCO_D);
        ptz->set_id(static_cast<uint32_t>(n));
        ptz->set_baudrate(config::Camera_Ptz::BAUDRATE_9600);
    }
    Camera_MakeValid(&camera, channels);
    return camera;
}

uint32_t Spot_SingleChannel(unsigned long mask, int channels)
{
    for (int i = 0; i < channels && i < 32; ++i)
        if (mask & (1ul << i))
            return static_cast<uint32_t>(i);
    return 0;
}
