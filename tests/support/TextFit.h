#pragma once

// Texts that do not fit the widget showing them, measured with the widget's own font and style
// against the room its style gives the text: labels, buttons, check boxes, combo boxes (every
// item, since any may be chosen), spin boxes, group box titles and a calendar's day names. Only
// widgets on screen count.

#include <algorithm>

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStringList>
#include <QStyle>
#include <QStyleOption>
#include <QTableView>
#include <QtMath>
#include <QToolButton>
#include <QWidget>

namespace uitest {

namespace detail {

// The text as drawn: a single '&' marks a shortcut and takes no room.
inline QString Drawn(QString text)
{
    text.replace(QLatin1String("&&"), QChar(0xE000));
    text.remove(QLatin1Char('&'));
    return text.replace(QChar(0xE000), QLatin1Char('&'));
}

inline int Widest(const QFontMetrics& fm, const QString& text)
{
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, fm.horizontalAdvance(line));
    return widest;
}

inline QString PathOf(const QWidget* w, const QWidget* root)
{
    QStringList parts;
    for (; w && w != root; w = w->parentWidget())
        parts.prepend(w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName());
    return parts.join(QLatin1Char('/'));
}

inline QString Line(const QWidget* w, const QWidget* root, const QString& text, int needed, int room)
{
    return QStringLiteral("%1: \"%2\" needs %3 px, has %4").arg(PathOf(w, root), text).arg(needed).arg(room);
}

inline void CheckLabel(QStringList& out, const QLabel* label, const QWidget* root)
{
    const QString text = label->buddy() ? Drawn(label->text()) : label->text();
    if (text.isEmpty() || label->textFormat() == Qt::RichText
        || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text)))
        return;
    const QFontMetrics fm = label->fontMetrics();
    QRect room = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin());
    int indent = label->indent();
    if (indent < 0 && label->frameWidth() > 0)
        indent = fm.horizontalAdvance(QLatin1Char('x')) / 2;
    room.setWidth(room.width() - std::max(indent, 0));
    if (label->wordWrap()) {
        const int height = fm.boundingRect(room, int(label->alignment()) | Qt::TextWordWrap, text).height();
        if (height > room.height())
            out << Line(label, root, text, height, room.height()) + QStringLiteral(" (height)");
        return;
    }
    if (Widest(fm, text) > room.width())
        out << Line(label, root, text, Widest(fm, text), room.width());
}

inline QStyleOptionButton ButtonOption(const QAbstractButton* button)
{
    QStyleOptionButton opt;
    opt.initFrom(button);
    opt.text = button->text();
    opt.icon = button->icon();
    opt.iconSize = button->iconSize();
    if (auto* push = qobject_cast<const QPushButton*>(button)) {
        if (push->isFlat())
            opt.features |= QStyleOptionButton::Flat;
        if (push->menu())
            opt.features |= QStyleOptionButton::HasMenu;
    }
    return opt;
}

inline void CheckButton(QStringList& out, const QAbstractButton* button, const QWidget* root)
{
    const QString text = Drawn(button->text());
    if (text.isEmpty())
        return;
    const QStyleOptionButton opt = ButtonOption(button);
    QStyle* style = button->style();
    int room = 0;
    int needed = Widest(button->fontMetrics(), text);
    if (qobject_cast<const QCheckBox*>(button)) {
        room = style->subElementRect(QStyle::SE_CheckBoxContents, &opt, button).width();
    } else if (qobject_cast<const QRadioButton*>(button)) {
        room = style->subElementRect(QStyle::SE_RadioButtonContents, &opt, button).width();
    } else if (qobject_cast<const QPushButton*>(button)) {
        room = style->subElementRect(QStyle::SE_PushButtonContents, &opt, button).width();
        if (!button->icon().isNull())
            needed += button->iconSize().width() + 4;
        if (opt.features & QStyleOptionButton::HasMenu)
            needed += style->pixelMetric(QStyle::PM_MenuButtonIndicator, &opt, button);
    } else if (auto* tool = qobject_cast<const QToolButton*>(button)) {
        if (tool->toolButtonStyle() != Qt::ToolButtonTextOnly && !tool->icon().isNull())
            return;
        const int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
        room = button->contentsRect().width() - 2 * frame;
        if (tool->menu() || tool->popupMode() == QToolButton::MenuButtonPopup)
            room -= style->pixelMetric(QStyle::PM_MenuButtonIndicator, nullptr, button);
    } else {
        return;
    }
    if (needed > room)
        out << Line(button, root, text, needed, room);
}

inline void CheckCombo(QStringList& out, const QComboBox* combo, const QWidget* root)
{
    QStyleOptionComboBox opt;
    opt.initFrom(combo);
    opt.editable = combo->isEditable();
    opt.frame = combo->hasFrame();
    opt.subControls = QStyle::SC_All;
    opt.currentText = combo->currentText();
    // The label is drawn from one pixel in, clipped to the edit field.
    const int room = combo->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, combo).width() - 1;
    const QFontMetrics fm = combo->fontMetrics();
    QString widest;
    int needed = 0;
    for (int i = 0; i < combo->count(); ++i) {
        const QString text = combo->itemText(i);
        int width = fm.horizontalAdvance(text);
        if (!combo->itemIcon(i).isNull())
            width += combo->iconSize().width() + 4;
        if (width > needed) {
            needed = width;
            widest = text;
        }
    }
    if (needed > room)
        out << Line(combo, root, widest, needed, room);
}

inline void CheckSpin(QStringList& out, const QAbstractSpinBox* spin, const QWidget* root)
{
    const QLineEdit* edit = spin->findChild<QLineEdit*>();
    if (!edit)
        return;
    QStringList texts{spin->text(), spin->specialValueText()};
    if (auto* box = qobject_cast<const QSpinBox*>(spin))
        for (int value : {box->minimum(), box->maximum()})
            texts << box->prefix() + spin->locale().toString(value) + box->suffix();
    // A line edit keeps two pixels free on each side of its text.
    const QMargins margins = edit->textMargins();
    const int room = edit->contentsRect().width() - 4 - margins.left() - margins.right();
    const QFontMetrics fm = edit->fontMetrics();
    for (const QString& text : std::as_const(texts))
        if (!text.isEmpty() && fm.horizontalAdvance(text) > room)
            out << Line(spin, root, text, fm.horizontalAdvance(text), room);
}

inline void CheckGroupTitle(QStringList& out, const QGroupBox* box, const QWidget* root)
{
    if (box->title().isEmpty())
        return;
    QStyleOptionGroupBox opt;
    opt.initFrom(box);
    opt.text = box->title();
    opt.lineWidth = 1;
    opt.midLineWidth = 0;
    opt.textAlignment = Qt::Alignment(box->alignment());
    opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    if (box->isCheckable())
        opt.subControls |= QStyle::SC_GroupBoxCheckBox;
    if (box->isFlat())
        opt.features |= QStyleOptionFrame::Flat;
    QRect used = box->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, box);
    if (box->isCheckable())
        used |= box->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxCheckBox, box);
    if (!box->rect().contains(used))
        out << Line(box, root, Drawn(box->title()), used.width(), box->rect().intersected(used).width());
}

// The day names heading the calendar's columns: a cell leaves its grid line out, and its text
// keeps a margin on each side; a fraction of a pixel too wide is already cut.
inline void CheckCalendar(QStringList& out, const QCalendarWidget* calendar, const QWidget* root)
{
    const QTableView* view = calendar->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
    if (!view || !view->model())
        return;
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const int grid = view->showGrid() ? 1 : 0;
    const QAbstractItemModel* model = view->model();
    for (int column = 0; column < model->columnCount(); ++column) {
        const QModelIndex index = model->index(0, column);
        const QString text = index.data().toString();
        const QVariant font = index.data(Qt::FontRole);
        const QFontMetricsF fm(font.isValid() ? font.value<QFont>() : view->font());
        const int room = view->columnWidth(column) - grid - 2 * margin;
        if (fm.horizontalAdvance(text) > room)
            out << Line(calendar, root, text, qCeil(fm.horizontalAdvance(text)), room);
    }
}

}  // namespace detail

// One line per text that does not fit ("path: "text" needs N px, has M"), empty when all fit.
inline QStringList CutOffTexts(const QWidget* root)
{
    QStringList out;
    QList<const QWidget*> widgets{root};
    for (const QWidget* w : root->findChildren<QWidget*>())
        widgets << w;
    for (const QWidget* w : std::as_const(widgets)) {
        if (!w->isVisible())
            continue;
        if (auto* label = qobject_cast<const QLabel*>(w))
            detail::CheckLabel(out, label, root);
        else if (auto* button = qobject_cast<const QAbstractButton*>(w))
            detail::CheckButton(out, button, root);
        else if (auto* combo = qobject_cast<const QComboBox*>(w))
            detail::CheckCombo(out, combo, root);
        else if (auto* spin = qobject_cast<const QAbstractSpinBox*>(w))
            detail::CheckSpin(out, spin, root);
        else if (auto* box = qobject_cast<const QGroupBox*>(w))
            detail::CheckGroupTitle(out, box, root);
        else if (auto* calendar = qobject_cast<const QCalendarWidget*>(w))
            detail::CheckCalendar(out, calendar, root);
    }
    return out;
}

}  // namespace uitest
