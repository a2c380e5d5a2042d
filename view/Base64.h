// Bytes as base64 text (RFC 4648, with padding), which a page carries
// inline and its script decodes with atob.
#pragma once

#include <cstddef>
#include <string>

void AppendBase64(const unsigned char* bytes, std::size_t size, std::string& out);
