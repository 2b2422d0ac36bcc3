#pragma once

#include "DVRSetup/PassThroughPage.h"

// The Record tab: carries the record part unchanged until its controls exist.
class CSetupRecord : public CPassThroughPage<config::Record> {
    Q_OBJECT

public:
    explicit CSetupRecord(QWidget* parent = nullptr) : CPassThroughPage(parent) {}
};
