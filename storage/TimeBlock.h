// A time as the simulation record files it: the local wall clock of the
// machine that writes it, broken down into the platform's 16-byte block.
// Filing the wall clock rather than the instant means a drawing read in
// another time zone shows the same date and clock time it was written with.
#pragma once

#include "host/CTime.h"
#include "host/SystemTime.h"

// The local wall clock of time. A time the runtime cannot show in local time
// (before 1970 or past its range) becomes a block of zeros, which reads back
// as time 0 rather than as a block that fails to read.
SYSTEMTIME EncodeTimeBlock(CTime time);

// The time whose local wall clock the block holds. A year below 1900 reads as
// time 0 whatever the other fields hold; the day of week and the
// milliseconds are never looked at. False, with time untouched, for a field
// out of its range or a wall clock the runtime cannot convert.
bool DecodeTimeBlock(const SYSTEMTIME& block, CTime& time);
