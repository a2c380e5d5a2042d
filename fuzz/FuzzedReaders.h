// The readers that take bytes from outside, each called the way the fuzz
// programs call it. A reader may refuse anything; these abort (and so fail a
// fuzz run or a test) only on a fault: a crash under the sanitizers, a leak,
// an object left open or used without being open, or a record that cannot
// be read back after it was written.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzz
{
// A drawing file, its checksums made right first (fuzz/DrawingFileSeal.h),
// read into an empty database; a drawing the host takes then has its
// simulations listed and those of the previous release upgraded, as znsim
// does with a drawing it is given. Loads the module on first use.
void readDrawingFile(const std::uint8_t* data, std::size_t size);
// A simulation record of this release, read through a memory filer.
void readSimRecord(const std::uint8_t* data, std::size_t size);
// A version-101 record, read by the previous release's module.
void readLegacySimRecord(const std::uint8_t* data, std::size_t size);
// The JSON description that `znsim new --from` reads.
void readSimDescription(const std::uint8_t* data, std::size_t size);
// A DXF as `znsim import` takes it: read and checked whole, then imported
// into a new drawing when it passes.
void readDxf(const std::uint8_t* data, std::size_t size);
// What `znsim drive` reads: a vehicle description and a path description
// (the bytes are tried as each); a path that reads is driven by a car, at a
// step that keeps it to ten thousand positions.
void readDriveDescription(const std::uint8_t* data, std::size_t size);
} // namespace fuzz
