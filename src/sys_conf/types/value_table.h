#pragma once

// Lookups shared by the configuration value tables. A table row pairs a stored enum value
// with its combo-box label; the row index is the combo-box index. Indexes and values come
// from configuration files and DVRs too, so every lookup stays inside its table: an unknown
// index gives the first row's value or an empty label, an unknown value gives row 0.

namespace config {
namespace table {

template <typename T>
struct Row {
    T type;
    const char* label;
};

template <typename R>
const R* At(const R* rows, int count, int index)
{
    return index >= 0 && index < count ? &rows[index] : nullptr;
}

template <typename R>
const char* Label(const R* rows, int count, int index)
{
    const R* row = At(rows, count, index);
    return row ? row->label : "";
}

template <typename R>
auto Type(const R* rows, int count, int index) -> decltype(rows->type)
{
    const R* row = At(rows, count, index);
    return row ? row->type : rows[0].type;
}

template <typename R, typename T>
int IndexOf(const R* rows, int count, T type)
{
    for (int i = 0; i < count; ++i)
        if (rows[i].type == type)
            return i;
    return 0;
}

// Tables without labels: a plain array of enum values.
template <typename T>
T Pick(const T* values, int count, int index)
{
    return index >= 0 && index < count ? values[index] : values[0];
}

template <typename T>
int Find(const T* values, int count, T value)
{
    for (int i = 0; i < count; ++i)
        if (values[i] == value)
            return i;
    return 0;
}

template <typename R, int N>
constexpr int Count(const R (&)[N])
{
    return N;
}

}  // namespace table
}  // namespace config
