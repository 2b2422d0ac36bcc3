#include "DisplayDvrInfo.h"

void RegisterDisplayDvrInfoMetaType()
{
    qRegisterMetaType<DISPLAY_DVR_INFO>("DISPLAY_DVR_INFO");
}
