#include "drawing/OutputFile.h"

#include "cadhost/FileAccess.h"
#include "drawing/Failure.h"

#include <cstring>

void ReplaceFile(const std::string& path, const std::string& bytes)
{
    cadhost::FileReplacement file(path);
    file.append(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    if (file.commit() != Acad::eOk)
        throw Failure(FailureKind::io, path + ": cannot be written: " + std::strerror(file.error()));
}
