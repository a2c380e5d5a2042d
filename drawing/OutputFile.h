// Writing a whole output file (a page, a still, a DXF) so that readers see
// the old file or the new one, never a part: through the host's file
// replacement, the same seam that saving a drawing goes through, so a
// failing disk is met, and tested, the same way. On failure the old file is
// left as it was and no temporary file stays behind.
#pragma once

#include <string>

// Throws Failure (io): "PATH: cannot be written: No space left on device".
void ReplaceFile(const std::string& path, const std::string& bytes);
