// What delete and clean put before the module's delete: a refusal, unless
// --force, when it would erase block definitions that something outside the
// deletion still uses; and the report of what went.
#pragma once

#include "app/DefinitionUse.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <string>

void AddForceFlag(CLI::App& command, bool& force);

// Fails as refused, naming each definition still used and its
// users, when reach has any and force is not given. what says what was asked
// ("deleting \"Harbour convoy\"").
void GuardDeletion(const std::string& file, const std::string& what, const DeletionReach& reach,
                   bool force);

// Adds to a report's data the block definitions erased, and those among them
// that were still used (which only --force lets go).
void ReportReach(nlohmann::json& data, const DeletionReach& reach);
// The text of what ReportReach added: a line when something still used went.
std::string ReachText(const nlohmann::json& data);
