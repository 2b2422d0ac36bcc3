#pragma once

#include "DVRSetup/PassThroughPage.h"

// The HDD tab: carries the hdd part unchanged until its controls exist.
class CSetupHdd : public CPassThroughPage<config::Hdd> {
    Q_OBJECT

public:
    explicit CSetupHdd(QWidget* parent = nullptr) : CPassThroughPage(parent) {}
};
