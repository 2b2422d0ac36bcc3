#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Model code of a current-protocol DVR. Build one only from a code that IsValid accepts.
class DvrModel {
public:
    static constexpr int kMaxModel = 135;

    explicit DvrModel(int model);

    static bool IsValid(int model);
    bool IsValid() const { return IsValid(m_model); }

    int value() const { return m_model; }
    operator int() const { return m_model; }

private:
    int m_model;
};

// Capabilities of one DVR model, copied from the model table.
class DvrModelInfo {
public:
    explicit DvrModelInfo(DvrModel model);

    // Replaces every field with the row of the model. An invalid code asserts in debug
    // builds and keeps the previous contents otherwise.
    void Init(DvrModel model);

    DvrModel model;
    std::string name;
    uint64_t channel_count = 0;
    uint64_t aux_count = 0;
    bool has_remote_port = false;
    std::vector<std::string> languages;
    std::string app_firmware_pattern;
    std::string kernel_firmware_pattern;
};
