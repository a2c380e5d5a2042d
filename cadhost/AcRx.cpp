#include "host/AcRx.h"

#include "cadhost/HostTextFormat.h"
#include "cadhost/Utf8Text.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace
{
// Written straight to the descriptor: the process is about to stop, and the
// stream may have been set to wide output by somebody else.
void writeToErrorStream(const std::string& text)
{
    std::fflush(stderr);
    size_t done = 0;
    while (done < text.size())
    {
        const ssize_t n = ::write(STDERR_FILENO, text.data() + done, text.size() - done);
        if (n <= 0)
            return;
        done += static_cast<size_t>(n);
    }
}
} // namespace

void acrx_abort(const ACHAR* format, ...)
{
    std::wstring message;
    va_list args;
    va_start(args, format);
    // A message that cannot be formatted is still worth seeing as written.
    if (!cadhost::formatHostText(message, format, args) && format != nullptr)
        message = format;
    va_end(args);
    writeToErrorStream(cadhost::toUtf8(message) + "\n");
    std::abort();
}
