// The e-map area: one map view and one event log per map of the open group.
#include "Viewer.h"

#include <QFile>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextStream>

#include "Common/AppDir.h"
#include "Common/Prompt.h"
#include "DVRList/DVRListTree.h"
#include "EMap/EMapList.h"
#include "EMap/EMapSetupDialog.h"
#include "EMap/EMapWidget.h"
#include "Settings/AppSettings.h"

void Viewer::createEMap(const EMap& map, bool visible)
{
    auto* widget = new CEMapWidget(m_ui.DisplayFrame);
    widget->setEditable(m_menuMode == MENU_EMAP_EDIT);
    widget->setSelectedEMap(map);
    m_emapWidgets << widget;

    auto* log = new QTextEdit(m_ui.bottomEMapPage);
    log->setReadOnly(true);
    log->setFixedSize(m_ui.bottomWidget->width() - m_ui.emapLogSave->width() - 10, m_ui.bottomWidget->height());
    if (visible) {
        widget->show();
        log->show();
        m_ui.emapLogSave->move(log->width() + 4, 5);
        m_ui.emapLogSave->setVisible(m_menuMode != MENU_EMAP_EDIT);
        m_ui.displayLayout->addWidget(widget);
    } else {
        widget->hide();
        log->hide();
    }
    connect(m_dvrTree, &CDVRListTree::dragCameraItem, widget, &CEMapWidget::setCameraItem);
    connect(widget, &CEMapWidget::signalSaveEMap, m_emapList, &CEMapList::OnSaveEMap);
    // Camera titles come from DVRs: plain text, never markup.
    connect(widget, &CEMapWidget::updateLog, log, [log](const QString& line) {
        QTextCursor end(log->document());
        end.movePosition(QTextCursor::End);
        if (!log->document()->isEmpty())
            end.insertBlock();
        end.insertText(line);
    });
    m_emapLogs << log;
}

void Viewer::removeEMap()
{
    if (!m_emapWidgets.isEmpty() && m_currentEMapIndex < m_emapWidgets.size())
        m_ui.displayLayout->removeWidget(m_emapWidgets[m_currentEMapIndex]);
    // A closed map view deletes itself and stops its streams.
    for (CEMapWidget* widget : std::as_const(m_emapWidgets))
        widget->close();
    m_emapWidgets.clear();
    for (QTextEdit* log : std::as_const(m_emapLogs))
        log->deleteLater();
    m_emapLogs.clear();
    m_currentEMapIndex = 0;
    m_emapList->clearIcon();
}

void Viewer::OnSelectedEMap(const EMap& map)
{
    removeEMap();
    createEMap(map, true);
}

void Viewer::OnRemoveEMap() { removeEMap(); }

void Viewer::OnSelectedEMapGroup(const EMapList& group)
{
    if (m_menuMode == MENU_EMAP_EDIT)
        return;
    removeEMap();
    for (int i = 0; i < group.emap_size(); ++i)
        createEMap(group.emap(i), i == m_currentEMapIndex);
}

void Viewer::OnChangedEMap(int index)
{
    if (m_emapWidgets.size() < 2)
        return;
    if (m_currentEMapIndex < m_emapWidgets.size()) {
        CEMapWidget* shown = m_emapWidgets[m_currentEMapIndex];
        shown->hide();
        shown->closeVideoWidget();
        m_emapLogs[m_currentEMapIndex]->hide();
        m_ui.displayLayout->removeWidget(shown);
    }
    if (index < 0 || index >= m_emapWidgets.size()) {
        m_currentEMapIndex = m_emapWidgets.size();
        return;
    }
    m_currentEMapIndex = index;
    m_emapWidgets[index]->show();
    m_emapLogs[index]->show();
    m_ui.displayLayout->addWidget(m_emapWidgets[index]);
}

void Viewer::OnEMapSetupClicked()
{
    CAppSettings settings;
    const int before = settings.readSetting(CAppSettings::EMAP_IMAGESIZE, 0).toInt();
    CEMapSetupDialog dialog(this);
    CPrompt::current().exec(&dialog);
    if (settings.readSetting(CAppSettings::EMAP_IMAGESIZE, 0).toInt() != before)
        for (CEMapWidget* widget : std::as_const(m_emapWidgets))
            widget->updateImageSize();
}

void Viewer::OnEMapLogSave()
{
    const QString name = CPrompt::current().chooseSaveFile(this, tr("Save File"), CAppDir::getCurrentPath(),
                                                          tr("Text files(*.txt)"));
    if (name.isEmpty())
        return;
    QTextEdit* shown = nullptr;
    for (QTextEdit* log : std::as_const(m_emapLogs))
        if (!shown && log->isVisible())
            shown = log;
    // Without a log on screen there is nothing to write: the file is left as it is.
    if (!shown)
        return;
    QFile file(name);
    if (!file.open(QFile::WriteOnly | QFile::Truncate | QFile::Text)) {
        CPrompt::current().message(nullptr, tr("Cannot write file %1:\n%2.").arg(name, file.errorString()));
        return;
    }
    QTextStream(&file) << shown->toPlainText();
    CPrompt::current().message(nullptr, tr("File saved"));
}
