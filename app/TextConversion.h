// Text as znsim prints it: UTF-8, from the module's wide text.
#pragma once

#include "host/CString.h"

#include <string>

std::string Utf8(const std::wstring& text);
std::string Utf8(const CString& text);
// Text from the command line or a file name, as the module takes it.
CString HostText(const std::string& utf8);
