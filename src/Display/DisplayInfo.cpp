#include "DisplayInfo.h"

static_assert(sizeof(OpenGLMode) == 4, "stored as a 32-bit setting");
