// The host's side of its diagnostics: where the database layer reports the
// mistakes that cadhost/HostDiagnostics.h lets tests and tools see.
#pragma once

#include <string>

namespace cadhost
{
void countDatabaseObjectAllocated();
void countDatabaseObjectFreed();
void recordObjectsLeftOpen(long count);
void recordEnablementViolation(std::wstring line);
} // namespace cadhost
