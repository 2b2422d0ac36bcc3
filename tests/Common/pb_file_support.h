#pragma once

// What the list container tests share: a file's bytes read and written whole by path.

#include <string>

#include <QFile>

#include <gtest/gtest.h>

namespace pbtest {

inline std::string ReadBytes(const std::string& path)
{
    QFile file(QFile::decodeName(path.c_str()));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<missing>";
}

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    QFile file(QFile::decodeName(path.c_str()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes.data(), qint64(bytes.size())), qint64(bytes.size()));
}

}  // namespace pbtest
