// What deleting simulations would take with it. The module erases, with each
// hidden block reference of a deleted simulation, the block definition that
// reference shows, whoever else shows it; so before znsim lets it delete,
// it finds those definitions and who else still uses them.
#pragma once

#include "host/AcDbHandle.h"

#include <set>
#include <string>
#include <vector>

// A block definition that deleting would erase, and what outside the
// deletion still uses it.
struct DefinitionUsers
{
    std::wstring definition;
    // Block references that belong to no simulation: in model space, in
    // paper space, or inside a block definition one of those shows.
    std::vector<AcDbHandle> references;
    // Simulations not being deleted whose parts show it.
    std::vector<std::wstring> simulations;
};

struct DeletionReach
{
    // The names of the block definitions that would be erased, in order.
    std::vector<std::wstring> definitions;
    // Those of them still used outside the deletion, in the same order.
    std::vector<DefinitionUsers> stillUsed;
};

// What deleting the named simulations of the working drawing would erase,
// and who else uses it. Names that the module cannot load take nothing.
DeletionReach WhatDeletingTakes(const std::set<std::wstring>& names);
