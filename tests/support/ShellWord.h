// One word for the shell, whatever it holds: tests run programs through
// std::system with file names that may hold blanks or quotes.
#pragma once

#include <string>

std::string ShellWord(const std::string& word);
