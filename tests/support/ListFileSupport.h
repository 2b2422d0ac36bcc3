#pragma once

// What the list file tests share: a file's bytes read and written whole, a list loaded
// quietly, and a field of a later version.

#include <string>

#include <QByteArray>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include "DVRList/ControlDVRList.h"

namespace listtest {

inline QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// The list `Control` loads, its complaint about a damaged file kept off the test's output.
template <typename Control>
auto QuietLoad(ListDamage* damage = nullptr)
{
    ::testing::internal::CaptureStderr();
    auto read = Control().Load(damage);
    ::testing::internal::GetCapturedStderr();
    return read;
}

// Field 99 as a varint, as a later version might add it at any level of a list.
inline std::string LaterField(int value)
{
    return std::string("\x98\x06", 2) + static_cast<char>(value);
}

}  // namespace listtest
