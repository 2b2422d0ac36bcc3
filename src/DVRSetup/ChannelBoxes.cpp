#include "DVRSetup/ChannelBoxes.h"

#include <QCheckBox>

#include "Common/ChannelNum.h"

int NumberInName(const QObject* object, const QRegularExpression& pattern)
{
    const QRegularExpressionMatch m = pattern.match(object->objectName());
    if (!m.hasMatch())
        return -1;
    bool ok = false;
    const int n = m.captured(1).toInt(&ok);
    return ok ? n : -1;
}

QList<NumberedBox> FindNumberedBoxes(const QWidget* root, const QRegularExpression& pattern)
{
    QList<NumberedBox> found;
    for (QCheckBox* box : root->findChildren<QCheckBox*>()) {
        const int n = NumberInName(box, pattern);
        if (n >= 0)
            found.append({box, n});
    }
    return found;
}

QList<QCheckBox*> ShowBoxesBelow(const QList<NumberedBox>& boxes, int count)
{
    QList<QCheckBox*> shown;
    for (const NumberedBox& b : boxes) {
        b.box->setVisible(b.number < count);
        if (b.number < count)
            shown.append(b.box);
    }
    CChnum::SortCheckBox(&shown);
    return shown;
}
