// Runs the built znsim as a person would, in a folder of its own, and keeps
// what it printed and how it ended.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct ZnsimRun
{
    int status = -1;
    std::string out;
    std::string err;
};

ZnsimRun RunZnsim(const std::filesystem::path& folder, const std::vector<std::string>& args);
