// Writing a whole file so that readers see the old file or the new one,
// never a part: the bytes go to a temporary file beside it, which is synced
// and then renamed over it. On failure the temporary file is removed and
// the old file is left as it was.
#pragma once

#include <string>

// An empty answer on success, else what went wrong ("cannot be written: No
// space left on device").
std::string ReplaceFile(const std::string& path, const std::string& bytes);
