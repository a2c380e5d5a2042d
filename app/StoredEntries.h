// The drawing's simulation entries as the drawing holds them. Its keys
// compare without letter case, so a name typed in any case finds its
// simulation; reports, and the module's calls that compare names exactly,
// want the spelling the drawing stored.
#pragma once

#include <optional>
#include <string>
#include <vector>

// The stored spelling of name: the key spelled exactly so, else the first
// that differs from it by case alone; name itself when no key matches.
std::string StoredName(const std::string& name);

// The groups of keys that differ by case alone, each in the drawing's order.
// Only drawings written before names ignored case hold them.
std::vector<std::vector<std::string>> CollidingNames();

// Why the host will not remove the entry of name: set for a proxy whose
// class does not allow erasing it, such as a simulation of the previous
// release while its module is missing.
std::optional<std::string> KeptReason(const std::string& name);
