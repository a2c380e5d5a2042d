#include "cadhost/HostBuffer.h"

#include "host/AcDbDwgFiler.h"
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

std::wstring readFiledText(AcDbDwgFiler& filer)
{
    ACHAR* buffer = nullptr;
    filer.readString(&buffer);
    std::wstring text = buffer;
    acutDelBuffer(buffer);
    return text;
}
} // namespace cadhost

void acutDelBuffer(ACHAR*& buffer)
{
    delete[] buffer;
    buffer = nullptr;
}

void acutDelString(ACHAR*& str) { acutDelBuffer(str); }
