// Deep copies of the pieces a record owns, shared by the records of every
// level: each piece there is copied in order, and a slot left empty, or a copy
// the allocation could not make, adds nothing.
#pragma once

#include <vector>

template <class Target, class Source, class Copy>
void AppendCopies(std::vector<Target*>& target, const std::vector<Source*>& source, Copy copy)
{
    target.reserve(target.size() + source.size());
    for (const Source* piece : source)
    {
        if (piece == nullptr)
            continue;
        if (Target* made = copy(*piece))
            target.push_back(made);
    }
}
