// Debian's chromium, run headless on a page as a person's browser would open
// it from disk, and what it saw: the page's DOM after load, its console
// messages, the requests the page itself made (the browser's own
// background requests are told apart and left out), or a screenshot.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct PageVisit
{
    int status = -1;
    std::string dom;
    std::vector<std::string> console;
    std::vector<std::string> requests;
    // The text of the element the page's test hook writes into.
    std::string report;
};

// Opens page#hash; scratch is a folder for the browser's profile and logs.
PageVisit VisitPage(const std::filesystem::path& page, const std::string& hash,
                    const std::filesystem::path& scratch);

// An RGB picture, row by row.
struct Picture
{
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

// The page as a window of width x height shows it; empty when it failed.
Picture Screenshot(const std::filesystem::path& page, const std::string& hash,
                   const std::filesystem::path& scratch, int width, int height);
