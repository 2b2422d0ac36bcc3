#include "model_info.h"

#include <cassert>
#include <cstdio>

namespace {

struct ModelRow {
    const char* name;
    uint32_t channel_count;
    uint32_t aux_count;
    uint32_t has_remote_port;
    const char* const* languages;
    const char* app_firmware_pattern;
    const char* kernel_firmware_pattern;
};

const char* const kLanguages[] = {
    "english", "korean", "russian", "turkish", "norwegian", "german", "french", "chinese_tw", "japanese",
    nullptr,
};

#define ZAVO_MODEL_ROW(code, ch, aux, relay) \
    const ModelRow kModel##code = {"zvm" #code, ch, aux, relay, kLanguages, \
                                   "zvm" #code "app_*.bin", "zvm" #code "kernel_*.bin"};

// Designations are "zvm" and the three-digit code.
ZAVO_MODEL_ROW(000, 16, 8, 1)
ZAVO_MODEL_ROW(001, 8, 8, 1)
ZAVO_MODEL_ROW(002, 4, 0, 0)
ZAVO_MODEL_ROW(003, 4, 0, 0)
ZAVO_MODEL_ROW(004, 16, 8, 1)
ZAVO_MODEL_ROW(005, 8, 8, 1)
ZAVO_MODEL_ROW(006, 4, 4, 1)
ZAVO_MODEL_ROW(007, 16, 8, 1)
ZAVO_MODEL_ROW(008, 8, 0, 1)
ZAVO_MODEL_ROW(009, 4, 0, 0)
ZAVO_MODEL_ROW(010, 16, 0, 0)
ZAVO_MODEL_ROW(011, 8, 0, 0)
ZAVO_MODEL_ROW(012, 4, 0, 0)
ZAVO_MODEL_ROW(013, 16, 0, 0)
ZAVO_MODEL_ROW(014, 8, 0, 0)
ZAVO_MODEL_ROW(015, 4, 0, 0)
ZAVO_MODEL_ROW(016, 16, 8, 1)
ZAVO_MODEL_ROW(017, 8, 8, 1)
ZAVO_MODEL_ROW(019, 16, 8, 1)
ZAVO_MODEL_ROW(020, 8, 8, 1)
ZAVO_MODEL_ROW(026, 8, 4, 1)
ZAVO_MODEL_ROW(027, 4, 0, 0)
ZAVO_MODEL_ROW(028, 16, 4, 1)
ZAVO_MODEL_ROW(029, 8, 4, 1)
ZAVO_MODEL_ROW(030, 4, 4, 1)
ZAVO_MODEL_ROW(051, 16, 4, 1)
ZAVO_MODEL_ROW(052, 8, 4, 1)
ZAVO_MODEL_ROW(053, 4, 4, 1)
ZAVO_MODEL_ROW(054, 16, 0, 1)
ZAVO_MODEL_ROW(055, 8, 0, 1)
ZAVO_MODEL_ROW(056, 4, 0, 1)
ZAVO_MODEL_ROW(064, 4, 4, 1)
ZAVO_MODEL_ROW(065, 8, 8, 1)
ZAVO_MODEL_ROW(067, 4, 4, 1)
ZAVO_MODEL_ROW(068, 8, 8, 1)
ZAVO_MODEL_ROW(070, 4, 4, 1)
ZAVO_MODEL_ROW(071, 8, 8, 1)
ZAVO_MODEL_ROW(073, 4, 0, 0)
ZAVO_MODEL_ROW(074, 8, 0, 0)
ZAVO_MODEL_ROW(075, 16, 0, 0)
ZAVO_MODEL_ROW(076, 4, 0, 0)
ZAVO_MODEL_ROW(077, 8, 0, 0)
ZAVO_MODEL_ROW(078, 16, 0, 0)
ZAVO_MODEL_ROW(085, 4, 4, 1)
ZAVO_MODEL_ROW(086, 4, 0, 0)
ZAVO_MODEL_ROW(087, 8, 0, 0)
ZAVO_MODEL_ROW(088, 16, 0, 0)
ZAVO_MODEL_ROW(089, 4, 4, 1)
ZAVO_MODEL_ROW(091, 4, 0, 0)
ZAVO_MODEL_ROW(092, 8, 0, 0)
ZAVO_MODEL_ROW(094, 4, 0, 1)
ZAVO_MODEL_ROW(095, 8, 4, 1)
ZAVO_MODEL_ROW(096, 16, 4, 1)
ZAVO_MODEL_ROW(100, 16, 0, 0)
ZAVO_MODEL_ROW(101, 16, 0, 0)
ZAVO_MODEL_ROW(110, 4, 0, 0)
ZAVO_MODEL_ROW(111, 8, 0, 0)
ZAVO_MODEL_ROW(112, 16, 0, 0)
ZAVO_MODEL_ROW(113, 4, 0, 0)
ZAVO_MODEL_ROW(116, 4, 4, 1)
ZAVO_MODEL_ROW(120, 4, 4, 1)
ZAVO_MODEL_ROW(121, 8, 4, 1)
ZAVO_MODEL_ROW(122, 4, 0, 0)
ZAVO_MODEL_ROW(123, 8, 0, 0)
ZAVO_MODEL_ROW(124, 16, 0, 0)
ZAVO_MODEL_ROW(125, 4, 0, 0)
ZAVO_MODEL_ROW(128, 4, 0, 0)
ZAVO_MODEL_ROW(131, 4, 0, 0)
ZAVO_MODEL_ROW(132, 8, 0, 0)
ZAVO_MODEL_ROW(133, 16, 0, 0)
ZAVO_MODEL_ROW(134, 16, 4, 1)
ZAVO_MODEL_ROW(135, 4, 4, 1)

#undef ZAVO_MODEL_ROW

struct ModelTable {
    const ModelRow* rows[DvrModel::kMaxModel + 1] = {};

    ModelTable()
    {
        const struct {
            int code;
            const ModelRow* row;
        } entries[] = {
            {0, &kModel000}, {1, &kModel001}, {2, &kModel002}, {3, &kModel003}, {4, &kModel004},
            {5, &kModel005}, {6, &kModel006}, {7, &kModel007}, {8, &kModel008}, {9, &kModel009},
            {10, &kModel010}, {11, &kModel011}, {12, &kModel012}, {13, &kModel013}, {14, &kModel014},
            {15, &kModel015}, {16, &kModel016}, {17, &kModel017}, {19, &kModel019}, {20, &kModel020},
            {26, &kModel026}, {27, &kModel027}, {28, &kModel028}, {29, &kModel029}, {30, &kModel030},
            {51, &kModel051}, {52, &kModel052}, {53, &kModel053}, {54, &kModel054}, {55, &kModel055},
            {56, &kModel056}, {64, &kModel064}, {65, &kModel065}, {67, &kModel067}, {68, &kModel068},
            {70, &kModel070}, {71, &kModel071}, {73, &kModel073}, {74, &kModel074}, {75, &kModel075},
            {76, &kModel076}, {77, &kModel077}, {78, &kModel078}, {85, &kModel085}, {86, &kModel086},
            {87, &kModel087}, {88, &kModel088}, {89, &kModel089}, {91, &kModel091}, {92, &kModel092},
            {94, &kModel094}, {95, &kModel095}, {96, &kModel096}, {100, &kModel100}, {101, &kModel101},
            {110, &kModel110}, {111, &kModel111}, {112, &kModel112}, {113, &kModel113},
            {116, &kModel116}, {120, &kModel120}, {121, &kModel121}, {122, &kModel122},
            {123, &kModel123}, {124, &kModel124}, {125, &kModel125}, {128, &kModel128},
            {131, &kModel131}, {132, &kModel132}, {133, &kModel133}, {134, &kModel134},
            {135, &kModel135},
        };
        for (const auto& e : entries)
            rows[e.code] = e.row;
    }
};

const ModelRow* FindRow(int model)
{
    static const ModelTable table;
    if (model < 0 || model > DvrModel::kMaxModel)
        return nullptr;
    return table.rows[model];
}

}  // namespace

DvrModel::DvrModel(int model) : m_model(model)
{
    assert(IsValid(model) && "IsValid(t)");
}

bool DvrModel::IsValid(int model) { return FindRow(model) != nullptr; }

DvrModelInfo::DvrModelInfo(DvrModel m) : model(4)
{
    Init(model);  // the fallback contents when m turns out invalid in a release build
    Init(m);
}

void DvrModelInfo::Init(DvrModel m)
{
    assert(m.IsValid() && "model.IsValid()");
    const ModelRow* row = FindRow(m.value());
    assert(row != nullptr && "modelinfo != NULL");
    if (!row) {
        std::fprintf(stderr, "DvrModelInfo: unknown model %d\n", m.value());
        return;
    }
    model = m;
    name = row->name;
    channel_count = row->channel_count;
    aux_count = row->aux_count;
    has_remote_port = row->has_remote_port != 0;
    languages.clear();
    for (const char* const* l = row->languages; *l; ++l)
        languages.emplace_back(*l);
    app_firmware_pattern = row->app_firmware_pattern;
    kernel_firmware_pattern = row->kernel_firmware_pattern;
}
