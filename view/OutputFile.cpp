#include "view/OutputFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
std::string Failure(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

bool WriteAll(int file, const std::string& bytes)
{
    std::size_t written = 0;
    while (written < bytes.size())
    {
        const ssize_t step = ::write(file, bytes.data() + written, bytes.size() - written);
        if (step < 0 && errno == EINTR)
            continue;
        if (step <= 0)
            return false;
        written += static_cast<std::size_t>(step);
    }
    return true;
}
} // namespace

std::string ReplaceFile(const std::string& path, const std::string& bytes)
{
    std::string temporary = path + ".XXXXXX";
    const int file = ::mkstemp(temporary.data());
    if (file < 0)
        return Failure("cannot be written");
    std::string failure;
    if (!WriteAll(file, bytes) || ::fsync(file) != 0)
        failure = Failure("cannot be written");
    // mkstemp makes the file for its owner only; a page is for anyone who may
    // read the folder, as any new file would be.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (failure.empty() && ::fchmod(file, 0666 & ~mask) != 0)
        failure = Failure("cannot be written");
    if (::close(file) != 0 && failure.empty())
        failure = Failure("cannot be written");
    if (failure.empty() && std::rename(temporary.c_str(), path.c_str()) != 0)
        failure = Failure("cannot be replaced");
    if (!failure.empty())
        ::unlink(temporary.c_str());
    return failure;
}
