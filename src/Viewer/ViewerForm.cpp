#include "ViewerForm.h"

#include <QFile>

QString ViewerStyleSheet()
{
    QFile file(QStringLiteral(":/Viewer/files/qss/default.qss"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QByteArray bytes = file.readAll();
    // A stray zero byte ends the sheet, as it would a C string.
    const qsizetype end = bytes.indexOf('\0');
    if (end >= 0)
        bytes.truncate(end);
    return QString::fromLatin1(bytes);
}
