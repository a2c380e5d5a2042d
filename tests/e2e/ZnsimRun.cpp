#include "tests/e2e/ZnsimRun.h"

#include "tests/storage/StorageTest.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <sys/wait.h>

namespace
{
namespace fs = std::filesystem;

// One word for the shell, whatever it holds.
std::string Quoted(const std::string& word)
{
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string Contents(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
} // namespace

ZnsimRun RunZnsim(const fs::path& folder, const std::vector<std::string>& args)
{
    // The output goes beside the folder, so that the folder holds only what
    // znsim itself wrote.
    const fs::path out = folder.string() + ".out";
    const fs::path err = folder.string() + ".err";
    std::string command = "cd " + Quoted(folder.string()) + " && " + Quoted((BinDir() / "znsim").string());
    for (const std::string& arg : args)
        command += " " + Quoted(arg);
    command += " >" + Quoted(out.string()) + " 2>" + Quoted(err.string());
    const int result = std::system(command.c_str());
    ZnsimRun run{WIFEXITED(result) ? WEXITSTATUS(result) : -1, Contents(out), Contents(err)};
    fs::remove(out);
    fs::remove(err);
    return run;
}
