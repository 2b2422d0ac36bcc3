#include "DVRSetup/SetupCamera.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalBlocker>

#include "Common/TextCodec.h"
#include "DVRSetup/ChannelBoxes.h"
#include "DVRSetup/ChannelWidget.h"
#include "DVRSetup/KValidator.h"
#include "DVRSetup/ModelInfoDialog.h"
#include "DVRSetup/PageFill.h"
#include "DVRSetup/SeqWidget.h"
#include "DVRSetup/SetupRules.h"
#include "sys_conf/types/camera_types.h"

namespace {

const char NAME_REGEX[] = "name([0-9]+)";

// Camera names hold 20 characters.
constexpr unsigned long NAME_FIELD_SIZE = 21;

CChannelWidget* SpotChannels(QWidget* page, int limit)
{
    auto* widget = new CChannelWidget(page);
    page->layout()->addWidget(widget);
    widget->setCheckableCount(limit);
    return widget;
}

}  // namespace

CSetupCamera::CSetupCamera(QWidget* parent) : QWidget(parent)
{
    m_ui.setupUi(this);

    const QRegularExpression names(NAME_REGEX);
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        if (!names.match(edit->objectName()).hasMatch())
            continue;
        m_nameEdits.append(edit);
        connect(edit, &QLineEdit::textChanged, this, &CSetupCamera::OnChangedName);
    }

    // Below the group's title, above its closing stretch.
    m_seqWidget = new CSeqWidget;
    static_cast<QBoxLayout*>(m_ui.seqFrame->layout())->insertWidget(1, m_seqWidget);
    m_covertWidget = new CChannelWidget;
    static_cast<QBoxLayout*>(m_ui.covertFrame->layout())->insertWidget(1, m_covertWidget);
    m_spotSingle = SpotChannels(m_ui.spotPage0, 1);
    for (QCheckBox* box : m_spotSingle->findChildren<QCheckBox*>())
        connect(box, &QCheckBox::clicked, this, [this] { m_spotSingleClicked = true; });
    m_spotQuad = SpotChannels(m_ui.spotPage1, 4);
    m_spotNona = SpotChannels(m_ui.spotPage2, 9);
    m_spotSeq = new CSeqWidget(m_ui.spotPage4);
    m_ui.spotPage4->layout()->addWidget(m_spotSeq);

    connect(m_ui.ptzChannel, &QSpinBox::valueChanged, this, &CSetupCamera::OnChangedPtzChannel);
    connect(m_ui.ptzModel, &QComboBox::currentIndexChanged, this, &CSetupCamera::OnChangedPtzModel);
    connect(m_ui.ptzID, &QSpinBox::valueChanged, this, &CSetupCamera::OnChangedPtzID);
    connect(m_ui.panGroup, &QButtonGroup::idClicked, this, &CSetupCamera::OnChangedPan);
    connect(m_ui.tiltGroup, &QButtonGroup::idClicked, this, &CSetupCamera::OnChangedTilt);
    connect(m_ui.zoomGroup, &QButtonGroup::idClicked, this, &CSetupCamera::OnChangedZoom);
    connect(m_ui.focusGroup, &QButtonGroup::idClicked, this, &CSetupCamera::OnChangedFocus);
    connect(m_ui.ptzBaudRate, &QComboBox::currentIndexChanged, this, &CSetupCamera::OnChangedBaudRate);
    connect(m_ui.sharpness, &QComboBox::currentIndexChanged, this, &CSetupCamera::OnChangedSharpness);
    connect(m_ui.eqChannel, &QSpinBox::valueChanged, this, &CSetupCamera::OnChangedEqChannel);
    connect(m_ui.eqGroup, &QButtonGroup::idClicked, this, &CSetupCamera::OnChangedEq);
    connect(m_ui.spot, &QComboBox::currentIndexChanged, this, &CSetupCamera::OnChangedSpot);
    connect(m_ui.spotMode, &QComboBox::currentIndexChanged, this, &CSetupCamera::OnChangedSpotMode);

    for (QLineEdit* edit : std::as_const(m_nameEdits))
        edit->setValidator(KValidator::All(edit, NAME_FIELD_SIZE));

    InitControls();
    InitDvrInfo(m_dvr_info);
}

CSetupCamera::~CSetupCamera() = default;

int CSetupCamera::channelCount() const { return static_cast<int>(m_dvr_info.ch_num()); }

void CSetupCamera::InitControls()
{
    const int n = channelCount();
    {
        const QSignalBlocker a(m_ui.ptzChannel);
        const QSignalBlocker b(m_ui.ptzModel);
        const QSignalBlocker c(m_ui.ptzID);
        const QSignalBlocker d(m_ui.ptzBaudRate);
        const QSignalBlocker e(m_ui.sharpness);
        const QSignalBlocker f(m_ui.eqChannel);
        const QSignalBlocker g(m_ui.spot);
        m_ui.ptzChannel->setRange(1, n);
        m_ui.ptzModel->clear();
        for (int i = 0; i <= config::Camera_Ptz::MODEL_PELCO_D; ++i)
            m_ui.ptzModel->addItem(QString::fromLatin1(config::PtzDev_Index2String(i)));
        m_ui.ptzID->setRange(0, 255);
        m_ui.ptzBaudRate->clear();
        for (int i = 0; i <= config::Camera_Ptz::BAUDRATE_115200; ++i)
            m_ui.ptzBaudRate->addItem(QString::fromLatin1(config::BaudRate_Index2String(i)));
        m_ui.sharpness->clear();
        for (int i = 0; i <= config::Camera::SHARPNESS_HARD; ++i)
            m_ui.sharpness->addItem(QString::fromLatin1(config::Sharpness_Index2String(i)));
        m_ui.eqChannel->setRange(1, n);
        m_ui.spot->clear();
        m_ui.spot->addItem(QStringLiteral("Spot%1").arg(1));
        m_ui.spot->setCurrentIndex(0);
    }
    m_seqWidget->addItems();
    m_spotSeq->addItems();
    QButtonGroup* const groups[] = {m_ui.panGroup, m_ui.tiltGroup, m_ui.zoomGroup, m_ui.focusGroup, m_ui.eqGroup};
    QAbstractButton* const offs[] = {m_ui.panOff, m_ui.tiltOff, m_ui.zoomOff, m_ui.focusOff, m_ui.eqOff};
    QAbstractButton* const ons[] = {m_ui.panOn, m_ui.tiltOn, m_ui.zoomOn, m_ui.focusOn, m_ui.eqOn};
    for (int i = 0; i < 5; ++i) {
        groups[i]->setId(offs[i], 0);
        groups[i]->setId(ons[i], 1);
    }
    UpdateControls();
}

void CSetupCamera::InitDvrInfo(const config::DvrConf_DvrInfo& info)
{
    m_dvr_info.CopyFrom(info);
    m_isHdSdi = CModelInfoDialog::ModelIndex2Type(static_cast<int>(info.model())) == config::ModelType_HDSDI;
    UpdateControls();
    InitConf();
}

void CSetupCamera::UpdateControls()
{
    const int n = channelCount();
    const int model = static_cast<int>(m_dvr_info.model());
    m_covertWidget->updateChannelCtrl(n);
    // The main monitor offers its multi-screen layouts on every model type.
    m_seqWidget->updateChannelCtrl(n, false);
    const bool ahd2 = CModelInfoDialog::ModelIndex2Type(model) == config::ModelType_AHD2;
    m_ui.eqFrame->setVisible(ahd2);
    if (ahd2) {
        const QSignalBlocker block(m_ui.eqChannel);
        m_ui.eqChannel->setRange(1, n);
    }
    {
        const QSignalBlocker block(m_ui.ptzChannel);
        m_ui.ptzChannel->setRange(1, n);
    }
    {
        const QSignalBlocker block(m_ui.spotMode);
        m_ui.spotMode->clear();
        for (int i = 0; i < config::SpotMode_Count(m_isHdSdi, n); ++i)
            m_ui.spotMode->addItem(QString::fromLatin1(config::SpotMode_Index2String(m_isHdSdi, n, i)));
        m_ui.spotMode->setCurrentIndex(0);
    }
    const std::pair<CChannelWidget*, unsigned long> spots[] = {
        {m_spotSingle, 0x1}, {m_spotQuad, 0xF}, {m_spotNona, 0x1FF}};
    for (const auto& [widget, mask] : spots) {
        widget->updateChannelCtrl(n);
        widget->setChMask(mask);
    }
    m_spotQuad->setVisible(n >= 8);
    m_spotNona->setVisible(n >= 16);
    m_spotSeq->updateChannelCtrl(n, m_isHdSdi);
}

void CSetupCamera::MakeConfValid() { Camera_MakeValid(&m_camera, channelCount()); }

void CSetupCamera::InitConf()
{
    m_camera = Camera_Defaults(channelCount());
    SetConf(m_camera);
}

void CSetupCamera::SetConf(const config::Camera& camera)
{
    if (&camera != &m_camera)
        m_camera.CopyFrom(camera);
    MakeConfValid();
    const int n = channelCount();
    const QRegularExpression names(NAME_REGEX);
    unsigned long covert = 0;
    for (QLineEdit* edit : std::as_const(m_nameEdits)) {
        const int i = std::max(0, NumberInName(edit, names));
        auto* label = findChild<QLabel*>(QStringLiteral("nameLabel%1").arg(i));
        const bool shown = i < n && i < m_camera.channel_size();
        edit->setVisible(shown);
        if (label)
            label->setVisible(shown);
        if (!shown)
            continue;
        // Blocked: the title is already in the message, byte for byte.
        const QSignalBlocker block(edit);
        edit->setText(CTextCodec::FromEucKr(m_camera.channel(i).name()));
        if (m_camera.channel(i).covert())
            covert |= 1ul << i;
    }
    m_covertWidget->setChMask(covert);

    SetValueBlocked(m_ui.ptzChannel, m_ui.ptzChannel->minimum());
    OnChangedPtzChannel(m_ui.ptzChannel->minimum());
    m_seqWidget->setChMask(m_camera.seq().ch_mask());
    m_seqWidget->setTime(m_camera.seq().time());
    SetIndexBlocked(m_ui.sharpness, config::Sharpness_Type2Index(m_camera.sharpness()));
    SetValueBlocked(m_ui.eqChannel, m_ui.eqChannel->minimum());
    OnChangedEqChannel(m_ui.eqChannel->minimum());
    m_curSpot = 0;
    showSpot(0);
}

void CSetupCamera::showSpot(int spot)
{
    if (spot < 0 || spot >= m_camera.spot_size())
        return;
    const config::Camera_Spot& s = m_camera.spot(spot);
    const int n = channelCount();
    // A mode this model does not offer shows no choice and stays stored.
    SetIndexBlocked(m_ui.spotMode, config::SpotMode_IsOffered(m_isHdSdi, n, s.mode())
                                       ? config::SpotMode_Type2Index(m_isHdSdi, n, s.mode())
                                       : -1);
    {
        const QSignalBlocker block(m_ui.spotPage);
        m_ui.spotPage->setCurrentIndex(s.mode());
    }
    m_spotSingle->setChMask(s.ch_num_single() < static_cast<uint32_t>(n) ? 1ul << s.ch_num_single() : 0);
    m_spotSingleClicked = false;
    m_spotQuad->setChMask(s.ch_mask_quad());
    m_spotNona->setChMask(s.ch_mask_nona());
    m_spotSeq->setChMask(s.ch_mask_seq());
    m_spotSeq->setTime(s.seq_time());
}

config::Camera CSetupCamera::GetConf()
{
    const unsigned long covert = m_covertWidget->getChMask();
    const int n = std::min({static_cast<int>(m_nameEdits.size()), channelCount(), m_camera.channel_size()});
    for (int i = 0; i < n; ++i)
        m_camera.mutable_channel(i)->set_covert((covert >> i) & 1);
    config::Camera_Seq* seq = m_camera.mutable_seq();
    seq->set_ch_mask(static_cast<uint32_t>(m_seqWidget->getChMask()));
    seq->set_time(static_cast<config::Camera_SeqTime>(m_seqWidget->getTime()));
    saveSpotToConf(m_curSpot);
    return m_camera;
}

void CSetupCamera::saveSpotToConf(int spot)
{
    if (spot < 0 || spot >= m_camera.spot_size())
        return;
    const int n = channelCount();
    config::Camera_Spot* s = m_camera.mutable_spot(spot);
    const int modeIndex = m_ui.spotMode->currentIndex();
    s->set_mode(modeIndex >= 0 ? config::SpotMode_Index2Type(m_isHdSdi, n, modeIndex) : s->mode());
    const bool kept = !m_spotSingleClicked && s->ch_num_single() >= static_cast<uint32_t>(n);
    s->set_ch_num_single(kept ? s->ch_num_single() : Spot_SingleChannel(m_spotSingle->getChMask(), n));
    s->set_ch_mask_quad(static_cast<uint32_t>(m_spotQuad->getChMask()));
    s->set_ch_mask_nona(static_cast<uint32_t>(m_spotNona->getChMask()));
    s->set_ch_mask_seq(static_cast<uint32_t>(m_spotSeq->getChMask()));
    s->set_seq_time(static_cast<config::Camera_SeqTime>(m_spotSeq->getTime()));
}

void CSetupCamera::OnChangedName(const QString& text)
{
    const int i = std::max(0, NumberInName(sender(), QRegularExpression(NAME_REGEX)));
    if (i < m_camera.channel_size())
        m_camera.mutable_channel(i)->set_name(CTextCodec::ToEucKr(text));
}

config::Camera_Ptz* CSetupCamera::currentPtz()
{
    const int c = m_ui.ptzChannel->value();
    return c >= 1 && c <= m_camera.ptz_size() ? m_camera.mutable_ptz(c - 1) : nullptr;
}

void CSetupCamera::OnChangedPtzChannel(int ch)
{
    if (ch < 1 || ch > m_camera.ptz_size())
        return;
    const config::Camera_Ptz& ptz = m_camera.ptz(ch - 1);
    SetIndexBlocked(m_ui.ptzModel, ptz.model());
    SetValueBlocked(m_ui.ptzID, static_cast<int>(ptz.id()));
    CheckId(m_ui.panGroup, ptz.rev_pan() ? 1 : 0);
    CheckId(m_ui.tiltGroup, ptz.rev_tilt() ? 1 : 0);
    CheckId(m_ui.zoomGroup, ptz.rev_zoom() ? 1 : 0);
    CheckId(m_ui.focusGroup, ptz.rev_focus() ? 1 : 0);
    SetIndexBlocked(m_ui.ptzBaudRate, ptz.baudrate());
}

void CSetupCamera::OnChangedPtzModel(int index)
{
    if (config::Camera_Ptz* ptz = currentPtz(); ptz && index >= 0)
        ptz->set_model(config::PtzDev_Index2Type(index));
}

void CSetupCamera::OnChangedPtzID(int id)
{
    if (config::Camera_Ptz* ptz = currentPtz())
        ptz->set_id(static_cast<uint32_t>(id));
}

void CSetupCamera::setReverse(void (config::Camera_Ptz::*set)(bool), const QButtonGroup* group)
{
    if (config::Camera_Ptz* ptz = currentPtz())
        (ptz->*set)(group->checkedId() != 0);
}

void CSetupCamera::OnChangedPan(int) { setReverse(&config::Camera_Ptz::set_rev_pan, m_ui.panGroup); }

void CSetupCamera::OnChangedTilt(int) { setReverse(&config::Camera_Ptz::set_rev_tilt, m_ui.tiltGroup); }

void CSetupCamera::OnChangedZoom(int) { setReverse(&config::Camera_Ptz::set_rev_zoom, m_ui.zoomGroup); }

void CSetupCamera::OnChangedFocus(int) { setReverse(&config::Camera_Ptz::set_rev_focus, m_ui.focusGroup); }

void CSetupCamera::OnChangedBaudRate(int index)
{
    if (config::Camera_Ptz* ptz = currentPtz(); ptz && index >= 0)
        ptz->set_baudrate(config::BaudRate_Index2Type(index));
}

void CSetupCamera::OnChangedSharpness(int index)
{
    if (index >= 0)
        m_camera.set_sharpness(config::Sharpness_Index2Type(index));
}

void CSetupCamera::OnChangedEqChannel(int e)
{
    if (e < 1 || e > m_camera.channel_size())
        return;
    CheckId(m_ui.eqGroup, m_camera.channel(e - 1).eq() ? 1 : 0);
}

void CSetupCamera::OnChangedEq(int)
{
    const int e = m_ui.eqChannel->value();
    if (e >= 1 && e <= m_camera.channel_size())
        m_camera.mutable_channel(e - 1)->set_eq(m_ui.eqGroup->checkedId() != 0);
}

void CSetupCamera::OnChangedSpot(int index)
{
    saveSpotToConf(m_curSpot);
    if (index < 0 || index >= m_camera.spot_size())
        return;
    showSpot(index);
    m_curSpot = index;
}

void CSetupCamera::OnChangedSpotMode(int index)
{
    if (index < 0)
        return;
    const QSignalBlocker block(m_ui.spotPage);
    m_ui.spotPage->setCurrentIndex(config::SpotMode_Index2Type(m_isHdSdi, channelCount(), index));
}

void CSetupCamera::languageChange() { m_ui.retranslateUi(this); }

void CSetupCamera::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QWidget::changeEvent(event);
}
