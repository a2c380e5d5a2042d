// Layers named as a user names them on a command line: a comma-separated
// list of names, spaces around each not counted, each of which may hold
// the wildcards * (any run of characters, none too) and ? (any one
// character). Letter case is ignored, as the host ignores it in layer names.
#pragma once

#include <string>
#include <vector>

class LayerPatterns
{
public:
    // Matches nothing.
    LayerPatterns() = default;
    // Throws a Failure (badInput) naming option for an empty pattern or a
    // character no layer name can hold: < > / \ " : ; | = and the backquote.
    LayerPatterns(const std::string& list, const std::string& option);

    [[nodiscard]] bool Empty() const { return m_patterns.empty(); }
    // Whether any pattern matches the whole of name.
    [[nodiscard]] bool Matches(const std::string& name) const;
    // The patterns, as given, that match none of names.
    [[nodiscard]] std::vector<std::string> Unmatched(const std::vector<std::string>& names) const;

private:
    std::vector<std::string> m_given;
    // Each pattern with its letters folded as the host folds them.
    std::vector<std::wstring> m_patterns;
};
