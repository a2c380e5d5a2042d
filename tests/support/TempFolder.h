// A new, empty folder for one test's files under the system's temporary
// folder, removed with everything in it when the object goes; and the whole
// content of a file, read or written at once.
#pragma once

#include <filesystem>
#include <string>

class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

// Empty when the file cannot be read.
std::string fileBytes(const std::filesystem::path& file);
void writeFile(const std::filesystem::path& file, const std::string& bytes);
