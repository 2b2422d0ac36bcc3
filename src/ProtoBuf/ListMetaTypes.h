#pragma once

#include <QMetaType>

#include "DVRList.pb.h"
#include "EMapList.pb.h"
#include "GroupList.pb.h"
#include "ModelInfo.pb.h"

// These travel in QVariant item data and in queued signals.
Q_DECLARE_METATYPE(DVR)
Q_DECLARE_METATYPE(Group)
Q_DECLARE_METATYPE(EMap)
Q_DECLARE_METATYPE(EMapList)

// Registers the type names for string-based signal connections.
void RegisterListMetaTypes();
