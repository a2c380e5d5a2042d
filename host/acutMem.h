// Buffers that the host hands out (for instance the text a drawing filer
// reads, or an entity's layer name) belong to the host's heap and go back
// through these calls.
#pragma once

#include "host/WinTypes.h"

void acutDelBuffer(ACHAR*& buffer);
void acutDelString(ACHAR*& str);
