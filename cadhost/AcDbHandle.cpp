#include "host/AcDbHandle.h"

bool AcDbHandle::getIntoAsciiBuffer(ACHAR* buffer, size_t bufferLength) const
{
    static const ACHAR kDigits[] = L"0123456789ABCDEF";
    ACHAR reversed[16];
    size_t count = 0;
    Adesk::UInt64 rest = mValue;
    do
    {
        reversed[count++] = kDigits[rest & 0xF];
        rest >>= 4;
    } while (rest != 0);
    if (buffer == nullptr || bufferLength < count + 1)
        return false;
    for (size_t i = 0; i < count; ++i)
        buffer[i] = reversed[count - 1 - i];
    buffer[count] = L'\0';
    return true;
}
