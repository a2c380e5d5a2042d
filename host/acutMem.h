// Buffers that the host hands out (for instance the text a drawing filer
// reads) belong to the host's heap and go back through this call.
#pragma once

#include "host/WinTypes.h"

void acutDelBuffer(ACHAR*& buffer);
