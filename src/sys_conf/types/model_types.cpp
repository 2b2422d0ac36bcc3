#include "sys_conf/types/model_types.h"

#include "sys_conf/types/value_table.h"

namespace config {
namespace {

struct ModelRange {
    int first;
    int last;
    ModelType type;
};

const ModelRange kModelTypes[] = {
    {0, 17, ModelType_960H},    {19, 20, ModelType_960H},   {26, 30, ModelType_960H},
    {100, 101, ModelType_960H}, {64, 65, ModelType_HDSDI},  {67, 68, ModelType_HDSDI},
    {70, 71, ModelType_HDSDI},  {85, 85, ModelType_HDSDI},  {89, 89, ModelType_HDSDI},
    {51, 56, ModelType_AHD},    {73, 78, ModelType_AHD},    {86, 88, ModelType_AHD},
    {91, 92, ModelType_AHD},    {94, 96, ModelType_AHD},    {131, 133, ModelType_AHD},
    {110, 113, ModelType_AHD2}, {116, 116, ModelType_AHD2}, {120, 125, ModelType_AHD2},
    {128, 128, ModelType_AHD2}, {134, 135, ModelType_AHD2},
};

const table::Row<ModelType> kModelTypeLabels[] = {
    {ModelType_960H, "960H DVR"},
    {ModelType_HDSDI, "HD-SDI DVR"},
    {ModelType_AHD, "AHD DVR"},
    {ModelType_AHD2, "AHD2 DVR"},
};
constexpr int kModelTypeCount = table::Count(kModelTypeLabels);

struct ModelChoice {
    int channels;
    ModelType type;
    int model;
};

// AHD2 has no 8- or 16-channel model; HD-SDI's 16-channel row is never offered.
const ModelChoice kModelChoices[] = {
    {4, ModelType_960H, 53},  {8, ModelType_960H, 52},  {16, ModelType_960H, 51},
    {4, ModelType_HDSDI, 64}, {8, ModelType_HDSDI, 65}, {16, ModelType_HDSDI, 4},
    {4, ModelType_AHD, 53},   {8, ModelType_AHD, 52},   {16, ModelType_AHD, 51},
    {4, ModelType_AHD2, 116},
};

}  // namespace

int ModelType_Count() { return kModelTypeCount; }

const char* ModelType_Index2String(int index)
{
    return table::Label(kModelTypeLabels, kModelTypeCount, index);
}

ModelType ModelType_OfModel(int model)
{
    for (const ModelRange& r : kModelTypes)
        if (model >= r.first && model <= r.last)
            return r.type;
    return ModelType_960H;
}

int ModelCode_OfChoice(int channels, ModelType type)
{
    if (channels != 4 && channels != 8 && channels != 16)
        return 4;
    for (const ModelChoice& c : kModelChoices)
        if (c.channels == channels && c.type == type)
            return c.model;
    return -1;
}

}  // namespace config
