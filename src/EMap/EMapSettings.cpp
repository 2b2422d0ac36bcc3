#include "EMap/EMapSettings.h"

#include "Settings/AppSettings.h"
#include "sys_conf/types/event_types.h"

namespace {

int LargestValue(const QString& key)
{
    if (key == CAppSettings::EMAP_POPDOWN)
        return 3;
    return 1;
}

}  // namespace

int EMapSettings::read(const QString& key)
{
    bool ok = false;
    const int value = CAppSettings().readSetting(key, 0).toInt(&ok);
    return ok && value >= 0 && value <= LargestValue(key) ? value : 0;
}

void EMapSettings::write(const QString& key, int value)
{
    CAppSettings().writeSetting(key, value);
}

bool EMapSettings::popup()
{
    return read(CAppSettings::EMAP_POPUP) != 0;
}

int EMapSettings::popDownMs()
{
    const config::Event_PopDownType type = config::PopDownType_Index2Type(read(CAppSettings::EMAP_POPDOWN));
    return type == config::Event::POP_DOWN_CONT ? 0 : config::PopDownType_Type2Value(type) * 1000;
}

EMapSettings::ImageSize EMapSettings::imageSize()
{
    return read(CAppSettings::EMAP_IMAGESIZE) == IMAGE_ORIGINAL ? IMAGE_ORIGINAL : IMAGE_ADJUST;
}
