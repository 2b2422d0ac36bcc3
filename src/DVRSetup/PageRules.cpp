#include "DVRSetup/PageRules.h"

#include "DVRSetup/ModelInfoDialog.h"
#include "dvr_types/model_info.h"

namespace {

// The largest ID the DVR's own menu can set.
constexpr uint32_t MAX_DVR_ID = 255;

}  // namespace

PageModel PageModel_Of(const config::DvrConf_DvrInfo& info)
{
    const DvrModelInfo model{DvrModel(static_cast<int>(info.model()))};
    return {static_cast<int>(info.ch_num()), static_cast<int>(model.aux_count), model.has_remote_port,
            static_cast<config::ModelType>(CModelInfoDialog::ModelIndex2Type(static_cast<int>(info.model()))),
            info.vtype() != 0 ? config::VideoType_PAL : config::VideoType_NTSC};
}

QString Capitalize(const QString& text)
{
    QString out = text.toLower();
    if (!out.isEmpty())
        out[0] = out[0].toUpper();
    return out;
}

void System_MakeValid(config::System* system)
{
    if (system->name_id().dvr_id() > MAX_DVR_ID)
        system->mutable_name_id()->set_dvr_id(0);
}
