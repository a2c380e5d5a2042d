#include "app/TextConversion.h"

#include "cadhost/Utf8Text.h"

std::string Utf8(const std::wstring& text)
{
    return cadhost::toUtf8(text);
}

std::string Utf8(const CString& text)
{
    return cadhost::toUtf8(text.str());
}

CString HostText(const std::string& utf8)
{
    return CString(cadhost::fromUtf8(utf8));
}
