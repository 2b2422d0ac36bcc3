#include "DVRInfo/LogWidget.h"

#include <QEvent>

#include "Common/DateTime.h"
#include "Common/TextCodec.h"

namespace {

constexpr int COLUMN_GAP = 24;

}  // namespace

CLogWidget::CLogWidget(QWidget* parent) : QWidget(parent)
{
    m_ui.setupUi(this);
}

CLogWidget::~CLogWidget() = default;

void CLogWidget::setLog(const cgi::SysLog& log)
{
    clear();
    QList<QTreeWidgetItem*> rows;
    rows.reserve(log.log_size());
    for (const cgi::SysLog_Log& entry : log.log()) {
        rows.append(new QTreeWidgetItem(QStringList{
            CDateTime::convert_Timet_QDateTime(entry.time()).toString(CDateTime::DISPLAY_TIME_FORMAT),
            CTextCodec::FromEucKr(entry.user()), CTextCodec::FromEucKr(entry.log())}));
    }
    m_ui.logList->addTopLevelItems(rows);
    // Time and user as wide as their texts, with room to tell the columns apart.
    for (int column = 0; column < 2; ++column) {
        m_ui.logList->resizeColumnToContents(column);
        m_ui.logList->setColumnWidth(column, m_ui.logList->columnWidth(column) + COLUMN_GAP);
    }
}

void CLogWidget::clear()
{
    m_ui.logList->clear();
}

int CLogWidget::rowCount() const
{
    return m_ui.logList->topLevelItemCount();
}

QStringList CLogWidget::row(int index) const
{
    const QTreeWidgetItem* item = m_ui.logList->topLevelItem(index);
    if (!item)
        return {};
    return {item->text(0), item->text(1), item->text(2)};
}

void CLogWidget::languageChange()
{
    m_ui.retranslateUi(this);
}

void CLogWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QWidget::changeEvent(event);
}
