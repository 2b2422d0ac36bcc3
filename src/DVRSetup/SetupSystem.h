#pragma once

#include "DVRSetup/PassThroughPage.h"

// The System tab: carries the system part unchanged until its controls exist.
class CSetupSystem : public CPassThroughPage<config::System> {
    Q_OBJECT

public:
    explicit CSetupSystem(QWidget* parent = nullptr) : CPassThroughPage(parent) {}
};
