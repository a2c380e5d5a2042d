#include "view/Base64.h"

void AppendBase64(const unsigned char* bytes, std::size_t size, std::string& out)
{
    static const char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    out.reserve(out.size() + (size + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 2 < size; i += 3)
    {
        const unsigned int group = (unsigned{bytes[i]} << 16u) | (unsigned{bytes[i + 1]} << 8u) | bytes[i + 2];
        out += kDigits[(group >> 18u) & 63u];
        out += kDigits[(group >> 12u) & 63u];
        out += kDigits[(group >> 6u) & 63u];
        out += kDigits[group & 63u];
    }
    if (i == size)
        return;
    const bool two = i + 1 < size;
    const unsigned int group = (unsigned{bytes[i]} << 16u) | (two ? unsigned{bytes[i + 1]} << 8u : 0u);
    out += kDigits[(group >> 18u) & 63u];
    out += kDigits[(group >> 12u) & 63u];
    out += two ? kDigits[(group >> 6u) & 63u] : '=';
    out += '=';
}
