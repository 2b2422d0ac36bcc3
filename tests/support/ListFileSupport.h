#pragma once

// What the list file tests share: a file's bytes read and written whole, a list loaded
// quietly, a field of a later version, and an edit of a list that could not be read at start
// or that was changed on disk while its widget was up.

#include <string>

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// The paths of the copies of the list file at `path` kept beside it for `why` ("unread", ...).
inline QStringList CopiesBeside(const QString& path, const QString& why)
{
    QStringList kept;
    const QFileInfo file(path);
    for (const QString& name : file.dir().entryList({file.fileName() + "." + why + "-*"}, QDir::Files))
        kept << file.dir().filePath(name);
    return kept;
}

// Builds the list's widget while its file at `path` cannot be read (the operator is told:
// `told`), gives the permission back as the operator would and runs `edit` on the widget; the
// paths of the copies kept beside the file afterwards.
template <typename Widget, typename Edit>
QStringList KeptAfterAnEditOfAListUnreadAtStart(const QString& path, const QStringList& told, Edit edit)
{
    EXPECT_TRUE(QFile::setPermissions(path, QFileDevice::Permissions()));
    ::testing::internal::CaptureStderr();
    Widget widget;
    QCoreApplication::processEvents();
    ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(told.size() == 1 && told[0].contains("could not be read")) << told.join('|').toStdString();
    EXPECT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    edit(widget);
    return CopiesBeside(path, "unread");
}

// Builds the list's widget over the stored file, replaces the file from outside with `changed`
// and runs `edit` on the widget; the paths of the copies kept as changed afterwards.
template <typename Widget, typename Edit>
QStringList KeptAfterAnEditOfAListChangedOnDisk(const QString& path, const QByteArray& changed, Edit edit)
{
    Widget widget;
    Write(path, changed);
    edit(widget);
    return CopiesBeside(path, "changed");
}

// What the operator is told when the `list` ("DVR", "e-map") file changed on disk was kept,
// and where: its one copy of `kept`.
inline QStringList ToldOfAChangedList(const QString& list, const QStringList& kept)
{
    return {QString("The %1 list file was changed elsewhere after this program last read or saved it. "
                    "That version is kept as \"%2\".")
                .arg(list, kept.value(0))};
}

}  // namespace listtest
