// Text as znsim prints it: UTF-8, from the module's wide text, and handles
// as the host shows them.
#pragma once

#include "host/AcDbHandle.h"
#include "host/CString.h"

#include <string>

std::string Utf8(const std::wstring& text);
std::string Utf8(const CString& text);
// Upper-case hexadecimal without leading zeros.
std::string HandleText(const AcDbHandle& handle);
// Text from the command line or a file name, as the module takes it.
CString HostText(const std::string& utf8);
