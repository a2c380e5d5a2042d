#include "drawing/LayerPatterns.h"

#include "cadhost/NameComparison.h"
#include "cadhost/Utf8Text.h"
#include "drawing/Failure.h"

#include <algorithm>
#include <sstream>

namespace
{
constexpr std::wstring_view kNotInNames = L"<>/\\\":;|=`";

// A list typed as "Kerb, Walls" means the layer Walls: the spaces around a
// name are the list's, not the name's.
std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::wstring Folded(const std::string& text)
{
    std::wstring wide = cadhost::fromUtf8(text);
    std::transform(wide.begin(), wide.end(), wide.begin(), cadhost::foldCase);
    return wide;
}

// Whether pattern matches the whole of name: * takes the fewest characters
// that let the rest match, going back to the last * on a mismatch.
bool WildcardMatch(std::wstring_view pattern, std::wstring_view name)
{
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t star = std::wstring_view::npos;
    std::size_t resume = 0;
    while (n < name.size())
    {
        if (p < pattern.size() && (pattern[p] == L'?' || pattern[p] == name[n]))
        {
            ++p;
            ++n;
        }
        else if (p < pattern.size() && pattern[p] == L'*')
        {
            star = p++;
            resume = n;
        }
        else if (star != std::wstring_view::npos)
        {
            p = star + 1;
            n = ++resume;
        }
        else
            return false;
    }
    while (p < pattern.size() && pattern[p] == L'*')
        ++p;
    return p == pattern.size();
}
} // namespace

LayerPatterns::LayerPatterns(const std::string& list, const std::string& option)
{
    std::istringstream in(list);
    std::string item;
    while (std::getline(in, item, ','))
    {
        const std::string pattern = Trimmed(item);
        std::wstring folded = Folded(pattern);
        if (folded.empty())
            throw Failure(FailureKind::badInput, option + ": \"" + list + "\" holds an empty layer name");
        if (folded.find_first_of(kNotInNames) != std::wstring::npos)
            throw Failure(FailureKind::badInput, option + ": \"" + pattern + "\" cannot be a layer name");
        m_given.push_back(pattern);
        m_patterns.push_back(std::move(folded));
    }
    if (m_patterns.empty() || Trimmed(list).back() == ',')
        throw Failure(FailureKind::badInput, option + ": \"" + list + "\" holds an empty layer name");
}

bool LayerPatterns::Matches(const std::string& name) const
{
    const std::wstring folded = Folded(name);
    return std::any_of(m_patterns.begin(), m_patterns.end(),
                       [&](const std::wstring& pattern) { return WildcardMatch(pattern, folded); });
}

std::vector<std::string> LayerPatterns::Unmatched(const std::vector<std::string>& names) const
{
    std::vector<std::wstring> folded;
    for (const std::string& name : names)
        folded.push_back(Folded(name));
    std::vector<std::string> unmatched;
    for (std::size_t i = 0; i < m_patterns.size(); ++i)
        if (std::none_of(folded.begin(), folded.end(),
                         [&](const std::wstring& name) { return WildcardMatch(m_patterns[i], name); }))
            unmatched.push_back(m_given[i]);
    return unmatched;
}
