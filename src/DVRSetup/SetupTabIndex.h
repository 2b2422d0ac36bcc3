#pragma once

// The tabs of the configuration container, in their order on screen.
enum SetupTabIndex : int {
    SETUP_TAB_SYSTEM = 0,
    SETUP_TAB_NETWORK = 1,
    SETUP_TAB_RECORD = 2,
    SETUP_TAB_HDD = 3,
    SETUP_TAB_EVENT = 4,
    SETUP_TAB_ACCOUNT = 5,
    SETUP_TAB_CAMERA = 6,
    SETUP_TAB_COUNT = 7,
};
