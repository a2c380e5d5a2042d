#include "cadhost/HostBuffer.h"

#include "host/acutMem.h"

#include <algorithm>

namespace cadhost
{
ACHAR* newHostBuffer(std::wstring_view text)
{
    auto* buffer = new ACHAR[text.size() + 1];
    std::copy(text.begin(), text.end(), buffer);
    buffer[text.size()] = L'\0';
    return buffer;
}
} // namespace cadhost

void acutDelBuffer(ACHAR*& buffer)
{
    delete[] buffer;
    buffer = nullptr;
}
