// The page's markup and its script, built into the program from page.html
// and player.js beside this header.
#pragma once

extern const char* const kPageMarkup;
extern const char* const kPageScript;
