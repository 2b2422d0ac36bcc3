#include "Endian.h"

CEndian::CEndian() = default;
CEndian::~CEndian() = default;
