#pragma once

#include <QMetaType>

#include "DVRList.pb.h"
#include "EMapList.pb.h"
#include "GroupList.pb.h"
#include "ModelInfo.pb.h"

// DVR and Group travel in QVariant item data and in queued signals.
Q_DECLARE_METATYPE(DVR)
Q_DECLARE_METATYPE(Group)

// Registers the names "DVR" and "Group" for string-based signal connections.
void RegisterListMetaTypes();
