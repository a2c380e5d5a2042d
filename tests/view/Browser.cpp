#include "tests/view/Browser.h"

#include "tests/support/ShellWord.h"
#include "tests/support/TempFolder.h"

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <sys/wait.h>

namespace fs = std::filesystem;

namespace
{
// Without the background-networking switches the browser tries connections
// of its own, which a closed network refuses slowly.
int RunChromium(const fs::path& scratch, const std::string& arguments, const std::string& redirect)
{
    const std::string command = "timeout 60 /usr/bin/chromium --headless --no-sandbox "
                                "--disable-gpu --disable-quic --no-first-run "
                                "--disable-background-networking --disable-component-update "
                                "--disable-sync --user-data-dir=" +
                                ShellWord((scratch / "profile").string()) + ' ' + arguments + ' ' +
                                redirect;
    const int result = std::system(command.c_str());
    return WIFEXITED(result) ? WEXITSTATUS(result) : -1;
}

std::string PageUrl(const fs::path& page, const std::string& hash)
{
    return "file://" + fs::absolute(page).string() + (hash.empty() ? "" : "#" + hash);
}

std::vector<std::string> ConsoleLines(const std::string& log)
{
    std::vector<std::string> lines;
    std::istringstream in(log);
    for (std::string line; std::getline(in, line);)
        if (line.find(":CONSOLE") != std::string::npos)
            lines.push_back(line);
    return lines;
}

// A request the browser makes for itself has no origin behind it; one a
// page makes carries the page's (a file's origin shows as "null").
std::vector<std::string> PageRequests(const fs::path& netLog)
{
    std::vector<std::string> urls;
    const nlohmann::json log = nlohmann::json::parse(fileBytes(netLog), nullptr, false);
    if (log.is_discarded() || !log.contains("events"))
        return {"(the network log cannot be read)"};
    for (const nlohmann::json& event : log["events"])
    {
        const nlohmann::json* params = event.contains("params") ? &event["params"] : nullptr;
        if (params != nullptr && params->contains("url") && params->contains("initiator") &&
            (*params)["initiator"] != "not an origin")
            urls.push_back((*params)["url"].get<std::string>());
    }
    return urls;
}

std::string ReportText(const std::string& dom)
{
    const std::string open = "<pre id=\"test-report\" hidden=\"\">";
    const std::size_t start = dom.find(open);
    const std::size_t end = start == std::string::npos ? start : dom.find("</pre>", start);
    if (end == std::string::npos)
        return {};
    std::string text = dom.substr(start + open.size(), end - start - open.size());
    for (const auto& [entity, character] :
         {std::pair<std::string, std::string>{"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}})
        for (std::size_t at = text.find(entity); at != std::string::npos;
             at = text.find(entity, at + 1))
            text.replace(at, entity.size(), character);
    return text;
}
} // namespace

PageVisit VisitPage(const fs::path& page, const std::string& hash, const fs::path& scratch)
{
    const fs::path dom = scratch / "dom.html";
    const fs::path log = scratch / "browser.log";
    const fs::path netLog = scratch / "net.json";
    PageVisit visit;
    visit.status =
        RunChromium(scratch,
                    "--enable-logging=stderr --v=0 --log-net-log=" + ShellWord(netLog.string()) +
                        " --dump-dom " + ShellWord(PageUrl(page, hash)),
                    ">" + ShellWord(dom.string()) + " 2>" + ShellWord(log.string()));
    visit.dom = fileBytes(dom);
    visit.console = ConsoleLines(fileBytes(log));
    visit.requests = PageRequests(netLog);
    visit.report = ReportText(visit.dom);
    return visit;
}

Picture Screenshot(const fs::path& page, const std::string& hash, const fs::path& scratch,
                   int width, int height)
{
    const fs::path png = scratch / "shot.png";
    const fs::path ppm = scratch / "shot.ppm";
    RunChromium(scratch,
                "--hide-scrollbars --window-size=" + std::to_string(width) + ',' +
                    std::to_string(height) + " --screenshot=" + ShellWord(png.string()) + ' ' +
                    ShellWord(PageUrl(page, hash)),
                ">/dev/null 2>&1");
    // ImageMagick turns it into a plain header and raw RGB bytes.
    if (std::system(("convert " + ShellWord(png.string()) + " -depth 8 " + ShellWord(ppm.string()))
                        .c_str()) != 0)
        return {};
    std::ifstream in(ppm, std::ios::binary);
    std::string magic;
    Picture picture;
    int maximum = 0;
    in >> magic >> picture.width >> picture.height >> maximum;
    in.get();
    picture.rgb.resize(static_cast<std::size_t>(picture.width) *
                       static_cast<std::size_t>(picture.height) * 3);
    in.read(reinterpret_cast<char*>(picture.rgb.data()),
            static_cast<std::streamsize>(picture.rgb.size()));
    if (magic != "P6" || maximum != 255 || !in)
        return {};
    return picture;
}
