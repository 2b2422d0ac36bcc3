#include "ListMetaTypes.h"

void RegisterListMetaTypes()
{
    qRegisterMetaType<DVR>("DVR");
    qRegisterMetaType<Group>("Group");
    qRegisterMetaType<EMap>("EMap");
    qRegisterMetaType<EMapList>("EMapList");
}
