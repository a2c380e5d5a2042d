#include "drawing/TextFile.h"

#include "drawing/Failure.h"

#include <filesystem>
#include <fstream>
#include <iterator>

std::string ReadTextFile(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    if (!fs::exists(path, error))
        throw Failure(FailureKind::io, path + ": no such file");
    if (!fs::is_regular_file(path, error))
        throw Failure(FailureKind::io, path + ": not a regular file");
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.is_open() || in.bad())
        throw Failure(FailureKind::io, path + ": cannot be read");
    return text;
}
