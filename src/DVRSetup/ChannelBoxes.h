#pragma once

// Finding the numbered check boxes of a form ("ch0".."ch15", "chM1".."chM7") by object name,
// never by creation order.

#include <QList>
#include <QRegularExpression>

class QCheckBox;
class QObject;
class QWidget;

// The number of the pattern's first capture in the object's name; -1 when it has none.
int NumberInName(const QObject* object, const QRegularExpression& pattern);

struct NumberedBox {
    QCheckBox* box;
    int number;
};

// Every check box below root whose name matches the pattern, in the order found.
QList<NumberedBox> FindNumberedBoxes(const QWidget* root, const QRegularExpression& pattern);

// Shows the boxes numbered below count and hides the others; the shown ones in channel order.
QList<QCheckBox*> ShowBoxesBelow(const QList<NumberedBox>& boxes, int count);
