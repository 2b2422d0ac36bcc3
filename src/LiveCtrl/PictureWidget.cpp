#include "PictureWidget.h"

#include <algorithm>

#include <QEvent>

#include "LiveCtrlQuery.h"
#include "Network/ReadDVRData.h"
#include "Network/SendCommand.h"

namespace {

using Table = google::protobuf::RepeatedField<uint32_t>;

struct PictureValue {
    const char* changeSlot;  // named in the debug log
    cgi::PictureControlSet_Type type;
};

// Indexed by the kind used below: contrast, brightness, saturation, H and V sharpness.
constexpr PictureValue VALUES[] = {
    {"ChangeContrast", cgi::PictureControlSet::CONTRAST},
    {"ChangeBrightness", cgi::PictureControlSet::BRIGHTNESS},
    {"ChangeSaturation", cgi::PictureControlSet::SATURATION},
    {"ChangeHSharpness", cgi::PictureControlSet::HSHARPNESS},
    {"ChangeVSharpness", cgi::PictureControlSet::VSHARPNESS},
};
constexpr int KINDS = int(std::size(VALUES));

// A DVR has 16 channels at most; a damaged list entry must not size the tables.
constexpr int MAX_CHANNELS = 16;

Table* TableOf(cgi::PictureControlGet& picture, int kind)
{
    switch (kind) {
    case 0: return picture.mutable_contrast();
    case 1: return picture.mutable_brightness();
    case 2: return picture.mutable_saturation();
    case 3: return picture.mutable_hsharpness();
    default: return picture.mutable_vsharpness();
    }
}

}  // namespace

bool DVR_SameEntry(const DVR& a, const DVR& b)
{
    if (a.chname_size() != b.chname_size())
        return false;
    for (int i = 0; i < a.chname_size(); ++i)
        if (a.chname(i) != b.chname(i))
            return false;
    return a.name() == b.name() && a.address() == b.address() && a.port() == b.port() && a.id() == b.id()
           && a.password() == b.password() && a.chnum() == b.chnum() && a.bit_ch() == b.bit_ch();
}

CPictureWidget::CPictureWidget(QWidget* parent) : QWidget(parent)
{
    m_ui.setupUi(this);
    void (CPictureWidget::*const releasedSlots[])() = {
        &CPictureWidget::contrastReleased, &CPictureWidget::brightnessReleased,
        &CPictureWidget::saturationReleased, &CPictureWidget::hsharpnessReleased,
        &CPictureWidget::vsharpnessReleased};
    void (CPictureWidget::*const changeSlots[])(int) = {
        &CPictureWidget::ChangeContrast, &CPictureWidget::ChangeBrightness, &CPictureWidget::ChangeSaturation,
        &CPictureWidget::ChangeHSharpness, &CPictureWidget::ChangeVSharpness};
    for (int kind = 0; kind < KINDS; ++kind) {
        connect(slider(kind), &QSlider::sliderPressed, this, &CPictureWidget::sliderPressed);
        connect(slider(kind), &QSlider::sliderReleased, this, releasedSlots[kind]);
        connect(slider(kind), &QSlider::valueChanged, this, changeSlots[kind]);
    }
    connect(m_ui.set_default, &QPushButton::clicked, this, &CPictureWidget::SetDefault);
    m_send_command = new CSendCommand(this);
    UpdateData();
}

CPictureWidget::~CPictureWidget()
{
    delete m_send_command;
    m_reader.reset();
}

QSlider* CPictureWidget::slider(int kind) const
{
    QSlider* const sliders[] = {m_ui.contrast, m_ui.brightness, m_ui.saturation, m_ui.hsharpness, m_ui.vsharpness};
    return sliders[kind];
}

int CPictureWidget::channelCount() const { return std::clamp(int(m_connected_dvr.chnum()), 0, MAX_CHANNELS); }

void CPictureWidget::SetConnectedDVR(const DVR& dvr, int /*clientId*/)
{
    if (DVR_SameEntry(dvr, m_connected_dvr))
        return;
    // The previous DVR's values must not stay on show while the new ones are read.
    m_connected_dvr = dvr;
    InitData();
    UpdateSlider();

    m_reader = std::make_unique<CReadDVRData>();
    connect(m_reader.get(), &CReadDVRData::completed, this, &CPictureWidget::PictureControlReaded);
    if (dvr.old_protocol())
        return;
    const QString query = PictureControl_ReadQuery(dvr);
    if (!query.isEmpty())
        m_reader->startRead(dvr, query);
}

void CPictureWidget::SetChannel(int channel)
{
    m_channel = channel;
    UpdateSlider();
}

void CPictureWidget::InitData()
{
    m_picture.Clear();
    UpdateData();
}

void CPictureWidget::UpdateData()
{
    const int count = channelCount();
    for (int kind = 0; kind < KINDS; ++kind) {
        Table* table = TableOf(m_picture, kind);
        while (table->size() < count)
            table->Add(DEFAULT_VALUE);
    }
}

void CPictureWidget::UpdateSlider()
{
    UpdateData();
    for (int kind = 0; kind < KINDS; ++kind) {
        const Table* table = TableOf(m_picture, kind);
        if (m_channel < 0 || m_channel >= table->size())
            continue;
        // Showing a value sends nothing: one above 15 shows as 15 and stays as read.
        const QSignalBlocker blocker(slider(kind));
        slider(kind)->setValue(int(std::min<uint32_t>(table->Get(m_channel), uint32_t(slider(kind)->maximum()))));
    }
}

bool CPictureWidget::channelHeld()
{
    for (int kind = 0; kind < KINDS; ++kind)
        if (m_channel < 0 || m_channel >= TableOf(m_picture, kind)->size())
            return false;
    return true;
}

void CPictureWidget::sliderPressed() { m_slider_pressed = true; }

void CPictureWidget::released(int kind)
{
    m_slider_pressed = false;
    change(kind, slider(kind)->value());
}

void CPictureWidget::contrastReleased() { released(0); }
void CPictureWidget::brightnessReleased() { released(1); }
void CPictureWidget::saturationReleased() { released(2); }
void CPictureWidget::hsharpnessReleased() { released(3); }
void CPictureWidget::vsharpnessReleased() { released(4); }
void CPictureWidget::ChangeContrast(int value) { change(0, value); }
void CPictureWidget::ChangeBrightness(int value) { change(1, value); }
void CPictureWidget::ChangeSaturation(int value) { change(2, value); }
void CPictureWidget::ChangeHSharpness(int value) { change(3, value); }
void CPictureWidget::ChangeVSharpness(int value) { change(4, value); }

void CPictureWidget::change(int kind, int value)
{
    // While a slider is dragged only its release counts.
    Table* table = TableOf(m_picture, kind);
    if (m_slider_pressed || value < 0 || m_channel < 0 || m_channel >= table->size()
        || table->Get(m_channel) == uint32_t(value))
        return;
    qDebug("%s : %d\n", VALUES[kind].changeSlot, value);
    table->Set(m_channel, uint32_t(value));
    const QString query = PictureControl_SetQuery(m_connected_dvr, m_channel, VALUES[kind].type, uint32_t(value));
    if (!query.isEmpty())
        m_send_command->send(m_connected_dvr, query);
}

void CPictureWidget::SetDefault()
{
    qDebug("%s\n", "SetDefault");
    if (!channelHeld())
        return;
    for (int kind = 0; kind < KINDS; ++kind)
        TableOf(m_picture, kind)->Set(m_channel, DEFAULT_VALUE);
    UpdateSlider();
    const QString query = PictureControl_SetQuery(m_connected_dvr, m_channel, cgi::PictureControlSet::DEFAULT, 0);
    if (!query.isEmpty())
        m_send_command->send(m_connected_dvr, query);
}

void CPictureWidget::PictureControlReaded(const QByteArray& data)
{
    if (!PictureControl_Parse(data, &m_picture))
        return;
    UpdateSlider();
}

void CPictureWidget::hideEvent(QHideEvent* event)
{
    m_slider_pressed = false;
    QWidget::hideEvent(event);
}

void CPictureWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        m_slider_pressed = false;
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QWidget::changeEvent(event);
}

void CPictureWidget::languageChange() { m_ui.retranslateUi(this); }
