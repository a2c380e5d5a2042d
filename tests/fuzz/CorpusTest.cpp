// Every seed of the fuzz programs, and every input that once made a reader
// fail, read again by that reader in the ordinary build: a reader may refuse
// any of them, and must not crash, leak or leave objects open (the readers
// abort on those, failing the test).
#include "fuzz/FuzzedReaders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace
{
struct Reader
{
    const char* folder;
    void (*read)(const std::uint8_t*, std::size_t);
};

void PrintTo(const Reader& reader, std::ostream* out)
{
    *out << reader.folder;
}

std::vector<std::uint8_t> bytesOf(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CorpusTest : public ::testing::TestWithParam<Reader>
{
};

TEST_P(CorpusTest, EveryInputIsReadOrRefusedCleanly)
{
    const std::filesystem::path folder = std::filesystem::path(ZNSIM_FUZZ_CORPUS) / GetParam().folder;
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
    {
        SCOPED_TRACE(entry.path().string());
        const std::vector<std::uint8_t> bytes = bytesOf(entry.path());
        GetParam().read(bytes.data(), bytes.size());
        ++inputs;
    }
    EXPECT_GT(inputs, 0) << "no seeds in " << folder;
}

INSTANTIATE_TEST_SUITE_P(Readers, CorpusTest,
                         ::testing::Values(Reader{"drawing_file", fuzz::readDrawingFile},
                                           Reader{"sim_record", fuzz::readSimRecord},
                                           Reader{"legacy_sim_record", fuzz::readLegacySimRecord},
                                           Reader{"sim_description", fuzz::readSimDescription},
                                           Reader{"dxf", fuzz::readDxf},
                                           Reader{"drive_description", fuzz::readDriveDescription}),
                         [](const ::testing::TestParamInfo<Reader>& param) {
                             return std::string(param.param.folder);
                         });
} // namespace
