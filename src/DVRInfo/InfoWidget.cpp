#include "DVRInfo/InfoWidget.h"

#include <algorithm>

#include <QEvent>

#include "Common/TextCodec.h"
#include "DVRInfo/HDDWidget.h"
#include "DVRInfo/InfoParser.h"
#include "Network/HttpConnect.h"
#include "dvr_protocol/parser.h"
#include "dvr_types/model_info.h"

namespace {

struct FirstPacket {
    bool found = false;
    uint8_t type = 0;
    QByteArray payload;
};

FirstPacket ReadFirstPacket(const QByteArray& data, bool bigEndian)
{
    const cgi::Parser parser(bigEndian);
    const auto* begin = reinterpret_cast<const unsigned char*>(data.constData());
    const auto* end = begin + data.size();
    const unsigned char* stx = nullptr;
    const unsigned char* etx = nullptr;
    FirstPacket packet;
    // A corrupt packet gives up its start code; the next one may still be whole.
    while (begin < end && !parser.FindPacket(begin, end, &stx, &etx)) {
        if (etx != end + 1)
            return packet;
        begin = stx;
    }
    if (begin >= end)
        return packet;
    packet.found = true;
    packet.type = parser.GetPayLoad(stx).data_type;
    packet.payload = QByteArray(reinterpret_cast<const char*>(parser.GetDataPoint(stx)),
                                static_cast<int>(parser.GetDataSize(stx, etx)));
    return packet;
}

// A payload that does not parse is not shown.
template <class M, class Show>
InfoReply::Result ShowParsed(const QByteArray& payload, Show show)
{
    M message;
    if (!message.ParseFromArray(payload.constData(), static_cast<int>(payload.size())))
        return InfoReply::Ignored;
    show(message);
    return InfoReply::Shown;
}

QString Text(const std::string& bytes)
{
    return CTextCodec::FromEucKr(bytes);
}

}  // namespace

QString ModelText(const cgi::DvrInfo& info)
{
    if (!info.model_name().empty())
        return Text(info.model_name());
    const int code = static_cast<int>(info.model());
    if (info.model() <= static_cast<uint32_t>(DvrModel::kMaxModel) && DvrModel::IsValid(code))
        return QString::fromStdString(DvrModelInfo(DvrModel(code)).name);
    return QString::number(info.model());
}

CInfoWidget::CInfoWidget(QWidget* parent) : QWidget(parent)
{
    m_ui.setupUi(this);
    // Disks fill the rows from the left instead of spreading over the area.
    m_ui.hddLayout->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_ui.hddArea->viewport()->installEventFilter(this);
    m_areaMinimumHeight = m_ui.hddArea->minimumHeight();
    // A scroll area keeps the height hint of the disks' first arrangement; the row takes the
    // height of the system information instead, and the area scrolls.
    m_ui.hddArea->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    clear(false);
}

CInfoWidget::~CInfoWidget() = default;

void CInfoWidget::clear(bool oldProtocol)
{
    for (QLabel* value : {m_ui.model, m_ui.hwVersion, m_ui.kernelVersion, m_ui.appVersion, m_ui.macAddress})
        value->clear();
    m_ui.oldPage->clear();
    m_ui.logWidget->clear();
    setDisks({});
    m_ui.infoGroup->setVisible(!oldProtocol);
    m_ui.pageGroup->setVisible(oldProtocol);
    m_ui.logWidget->setVisible(!oldProtocol);
    // The old page's text takes the room the log has otherwise, and the width; beside the
    // few values of a current DVR the disks take the width.
    m_ui.infoLayout->setRowStretch(0, oldProtocol ? 1 : 0);
    m_ui.infoLayout->setRowStretch(1, oldProtocol ? 0 : 1);
    m_ui.infoLayout->setColumnStretch(0, oldProtocol ? 1 : 0);
    m_ui.infoLayout->setColumnStretch(1, oldProtocol ? 0 : 1);
}

InfoReply CInfoWidget::OnCompleted(const QByteArray& data)
{
    InfoReply reply;
    const FirstPacket packet = ReadFirstPacket(data, false);
    if (!packet.found)
        return reply;
    reply.result = InfoReply::Ignored;
    switch (packet.type) {
    case cgi::DATA_RESPONSE:
        if (packet.payload.size() == 1 && packet.payload[0] != cgi::ERR_NONE) {
            reply.result = InfoReply::Refused;
            reply.error = CHttpConnect::getErrMessage(static_cast<uint8_t>(packet.payload[0]), false);
        }
        break;
    case cgi::DATA_DVR_INFO:
        reply.result = ShowParsed<cgi::DvrInfo>(packet.payload, [this](const cgi::DvrInfo& m) { setDvrInfo(m); });
        break;
    case cgi::DATA_HDD_INFO:
        reply.result = ShowParsed<cgi::HddInfo>(packet.payload, [this](const cgi::HddInfo& m) { setHddInfo(m); });
        break;
    case cgi::DATA_SYS_LOG:
        reply.result = ShowParsed<cgi::SysLog>(packet.payload, [this](const cgi::SysLog& m) { m_ui.logWidget->setLog(m); });
        break;
    default:
        break;
    }
    return reply;
}

InfoReply CInfoWidget::showOldPage(const QByteArray& page)
{
    InfoReply reply;
    if (page.isEmpty())
        return reply;
    // A refusal comes as a result packet instead of the page.
    const FirstPacket packet = ReadFirstPacket(page, true);
    const QByteArrayView stx(cgi::Parser::STX, cgi::Parser::STX_SIZE);
    if (packet.found && page.startsWith(stx) && packet.type == OLD_RESULT_TYPE) {
        reply.result = InfoReply::Refused;
        reply.error = CHttpConnect::getErrMessage(
            packet.payload.size() == 1 ? static_cast<uint8_t>(packet.payload[0]) : -1, true);
        return reply;
    }
    m_ui.oldPage->setPlainText(Text(page.toStdString()));
    CInfoParser parser;
    parser.parse(page.toStdString());
    setDisks(parser.getHddInfo());
    reply.result = InfoReply::Shown;
    return reply;
}

void CInfoWidget::setDvrInfo(const cgi::DvrInfo& info)
{
    m_ui.model->setText(ModelText(info));
    m_ui.hwVersion->setText(Text(info.hardware_version()));
    m_ui.kernelVersion->setText(Text(info.kernel_version()));
    m_ui.appVersion->setText(Text(info.app_version()));
    m_ui.macAddress->setText(Text(info.mac_address()));
}

void CInfoWidget::setHddInfo(const cgi::HddInfo& info)
{
    std::vector<HDD_INFO_T> disks;
    for (const cgi::HddInfo_Info& disk : info.info()) {
        HDD_INFO_T sizes;
        sizes.total = disk.total();
        sizes.used = disk.used();
        // A DVR that reports more used than it holds has nothing free, not 4 GB.
        sizes.free = disk.used() < disk.total() ? disk.total() - disk.used() : 0;
        disks.push_back(sizes);
    }
    setDisks(disks);
}

void CInfoWidget::setDisks(const std::vector<HDD_INFO_T>& disks)
{
    qDeleteAll(m_disks);
    m_disks.clear();
    for (size_t i = 0; i < disks.size(); ++i) {
        auto* widget = new CHDDWidget(m_ui.hddList);
        widget->setInfo(static_cast<int>(i), disks[i]);
        m_disks.append(widget);
    }
    m_diskColumns = 0;
    arrangeDisks();
}

void CInfoWidget::arrangeDisks()
{
    if (m_disks.isEmpty()) {
        m_ui.hddArea->setMinimumHeight(m_areaMinimumHeight);
        return;
    }
    const int spacing = m_ui.hddLayout->horizontalSpacing();
    const int diskWidth = m_disks.first()->minimumWidth();
    const int columns = std::max(1, (m_ui.hddArea->viewport()->width() + spacing) / (diskWidth + spacing));
    if (columns == m_diskColumns)
        return;
    m_diskColumns = columns;
    // The row above the log grows to show the first rows of disks whole; more rows scroll.
    const int rows = std::min(SHOWN_DISK_ROWS, (int(m_disks.size()) + columns - 1) / columns);
    const int height = rows * m_disks.first()->minimumHeight() + (rows - 1) * m_ui.hddLayout->verticalSpacing();
    m_ui.hddArea->setMinimumHeight(std::max(m_areaMinimumHeight, height));
    for (CHDDWidget* disk : std::as_const(m_disks))
        m_ui.hddLayout->removeWidget(disk);
    for (int i = 0; i < m_disks.size(); ++i)
        m_ui.hddLayout->addWidget(m_disks[i], i / columns, i % columns);
}

bool CInfoWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui.hddArea->viewport() && event->type() == QEvent::Resize)
        arrangeDisks();
    return QWidget::eventFilter(watched, event);
}

QString CInfoWidget::oldPageText() const
{
    return m_ui.oldPage->toPlainText();
}

void CInfoWidget::languageChange()
{
    m_ui.retranslateUi(this);
}

void CInfoWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QWidget::changeEvent(event);
}
