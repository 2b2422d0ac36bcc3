#pragma once

// What an operator can read on a widget and everything on it (texts, titles, tab and item
// texts, tool tips, action texts), keyed by each widget's place in the tree, so that two trees
// built by the same code can be compared text by text.

#include <algorithm>
#include <map>
#include <vector>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStringList>
#include <QTabBar>
#include <QTextEdit>
#include <QWidget>

namespace uitest {

using WidgetTexts = std::map<QString, QString>;

namespace detail {

inline void AddText(WidgetTexts& out, const QString& key, const QString& text)
{
    if (!text.isEmpty())
        out[key] = text;
}

inline void AddModel(WidgetTexts& out, const QString& key, const QAbstractItemModel* model,
                     const QModelIndex& parent = QModelIndex())
{
    if (!model)
        return;
    if (!parent.isValid()) {
        for (int c = 0; c < model->columnCount(); ++c)
            AddText(out, key + QStringLiteral(".column%1").arg(c), model->headerData(c, Qt::Horizontal).toString());
        for (int r = 0; r < model->rowCount(); ++r)
            AddText(out, key + QStringLiteral(".row%1").arg(r), model->headerData(r, Qt::Vertical).toString());
    }
    for (int r = 0; r < model->rowCount(parent); ++r) {
        for (int c = 0; c < model->columnCount(parent); ++c) {
            const QModelIndex index = model->index(r, c, parent);
            const QString item = key + QStringLiteral("[%1,%2]").arg(r).arg(c);
            AddText(out, item, index.data(Qt::DisplayRole).toString());
            AddText(out, item + ".tip", index.data(Qt::ToolTipRole).toString());
            if (c == 0 && model->hasChildren(index))
                AddModel(out, item, model, index);
        }
    }
}

inline void AddOwnTexts(WidgetTexts& out, const QString& key, const QWidget* w)
{
    AddText(out, key + ".title", w->windowTitle());
    AddText(out, key + ".tip", w->toolTip());
    if (auto* label = qobject_cast<const QLabel*>(w))
        AddText(out, key, label->text());
    if (auto* button = qobject_cast<const QAbstractButton*>(w))
        AddText(out, key, button->text());
    if (auto* group = qobject_cast<const QGroupBox*>(w))
        AddText(out, key, group->title());
    if (auto* edit = qobject_cast<const QLineEdit*>(w))
        AddText(out, key, edit->text());
    if (auto* spin = qobject_cast<const QAbstractSpinBox*>(w))
        AddText(out, key, spin->text());
    if (auto* edit = qobject_cast<const QTextEdit*>(w))
        AddText(out, key, edit->toPlainText());
    if (auto* edit = qobject_cast<const QPlainTextEdit*>(w))
        AddText(out, key, edit->toPlainText());
    if (auto* combo = qobject_cast<const QComboBox*>(w)) {
        for (int i = 0; i < combo->count(); ++i)
            AddText(out, key + QStringLiteral("[%1]").arg(i), combo->itemText(i));
        AddText(out, key + ".current", combo->currentText());
    }
    if (auto* tabs = qobject_cast<const QTabBar*>(w)) {
        for (int i = 0; i < tabs->count(); ++i) {
            AddText(out, key + QStringLiteral(".tab%1").arg(i), tabs->tabText(i));
            AddText(out, key + QStringLiteral(".tab%1.tip").arg(i), tabs->tabToolTip(i));
        }
    }
    // A header shows its view's model, read once with the view.
    if (auto* view = qobject_cast<const QAbstractItemView*>(w); view && !qobject_cast<const QHeaderView*>(w))
        AddModel(out, key, view->model());
    const QList<QAction*> actions = w->actions();
    for (int i = 0; i < actions.size(); ++i) {
        AddText(out, key + QStringLiteral(".action%1").arg(i), actions[i]->text());
        if (actions[i]->toolTip() != QString(actions[i]->text()).remove(QLatin1Char('&')))
            AddText(out, key + QStringLiteral(".action%1.tip").arg(i), actions[i]->toolTip());
    }
}

inline void Walk(WidgetTexts& out, const QString& key, const QWidget* w)
{
    AddOwnTexts(out, key, w);
    // A combo box's list is its items, read above.
    if (qobject_cast<const QComboBox*>(w))
        return;
    std::map<QString, int> seen;
    for (const QObject* child : w->children()) {
        auto* widget = qobject_cast<const QWidget*>(child);
        if (!widget)
            continue;
        const QString name = widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                                            : widget->objectName();
        Walk(out, key + "/" + name + QStringLiteral("#%1").arg(seen[name]++), widget);
    }
}

}  // namespace detail

// The texts of `root` and of every widget on it, hidden ones too (another page of a stack is
// read as soon as it is shown).
inline WidgetTexts TextsOf(const QWidget* root)
{
    WidgetTexts out;
    detail::Walk(out, root->objectName().isEmpty() ? QString::fromLatin1(root->metaObject()->className())
                                                  : root->objectName(),
                 root);
    return out;
}

// The texts of every window of the application with no parent and of everything on it (its
// dialogs among it), each under its own name. Windows of one name are told apart by the order of
// their texts, since the application lists its windows in no fixed order.
inline WidgetTexts TextsOfAllWindows()
{
    std::multimap<QString, WidgetTexts> roots;
    for (const QWidget* top : QApplication::topLevelWidgets())
        if (!top->parentWidget())
            roots.emplace(top->objectName().isEmpty() ? QString::fromLatin1(top->metaObject()->className())
                                                      : top->objectName(),
                          TextsOf(top));
    WidgetTexts out;
    for (auto it = roots.begin(); it != roots.end();) {
        const auto range = roots.equal_range(it->first);
        std::vector<WidgetTexts> same;
        for (auto r = range.first; r != range.second; ++r)
            same.push_back(r->second);
        std::sort(same.begin(), same.end());
        for (size_t i = 0; i < same.size(); ++i)
            for (auto& [key, text] : same[i])
                out[QStringLiteral("%1:").arg(i) + key] = text;
        it = range.second;
    }
    return out;
}

// Where two sets of texts differ, one line each ("key: \"a\" / \"b\""), empty when they agree.
inline QStringList TextDifferences(const WidgetTexts& a, const WidgetTexts& b)
{
    QStringList lines;
    auto ia = a.begin();
    auto ib = b.begin();
    const auto line = [](const QString& key, const QString& x, const QString& y) {
        return QStringLiteral("%1: \"%2\" / \"%3\"").arg(key, x, y);
    };
    while (ia != a.end() || ib != b.end()) {
        if (ib == b.end() || (ia != a.end() && ia->first < ib->first)) {
            lines << line(ia->first, ia->second, QString());
            ++ia;
        } else if (ia == a.end() || ib->first < ia->first) {
            lines << line(ib->first, QString(), ib->second);
            ++ib;
        } else {
            if (ia->second != ib->second)
                lines << line(ia->first, ia->second, ib->second);
            ++ia;
            ++ib;
        }
    }
    return lines;
}

}  // namespace uitest
