#pragma once

// How the setup pages show a value: with the control's (or group's) signals blocked, so that
// filling never runs a change slot; the previous blocking state comes back afterwards.

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStringList>

// Checks the group's button of that id; an id without a button changes nothing.
inline void CheckId(QButtonGroup* group, int id)
{
    const QSignalBlocker block(group);
    if (QAbstractButton* button = group->button(id))
        button->setChecked(true);
}

// An Off/On (No/Yes) group: Off has the id 0, On the id 1.
inline void SetOffOnIds(QButtonGroup* group, QAbstractButton* off, QAbstractButton* on)
{
    group->setId(off, 0);
    group->setId(on, 1);
}

inline bool IsOn(const QButtonGroup* group) { return group->checkedId() != 0; }

// An index outside the list shows no selection.
inline void SetIndexBlocked(QComboBox* box, int index)
{
    const QSignalBlocker block(box);
    box->setCurrentIndex(index);
}

inline void SetItemsBlocked(QComboBox* box, const QStringList& items)
{
    const QSignalBlocker block(box);
    box->clear();
    box->addItems(items);
}

inline void SetValueBlocked(QSpinBox* box, int value)
{
    const QSignalBlocker block(box);
    box->setValue(value);
}

inline void SetValueBlocked(QAbstractSlider* slider, int value)
{
    const QSignalBlocker block(slider);
    slider->setValue(value);
}

inline void SetTextBlocked(QLineEdit* edit, const QString& text)
{
    const QSignalBlocker block(edit);
    edit->setText(text);
}
