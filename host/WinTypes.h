// The few Windows and Visual C++ spellings that the host's programming
// interface uses in its signatures, mapped onto this platform's types.
#pragma once

#include <cstddef>
#include <cstdint>

#ifndef _MSC_VER
// Visual C++'s sized integer keyword, as in "unsigned __int64".
#define __int64 long long
#endif

typedef wchar_t ACHAR;
typedef std::uint16_t WORD;
typedef std::int64_t __time64_t;
typedef int errno_t;

#ifndef _T
#define _T(text) L##text
#endif
#ifndef ACRX_T
#define ACRX_T(text) L##text
#endif

namespace Adesk
{
typedef std::int8_t Int8;
typedef std::int16_t Int16;
typedef std::int32_t Int32;
typedef std::int64_t Int64;
typedef std::uint8_t UInt8;
typedef std::uint16_t UInt16;
typedef std::uint32_t UInt32;
typedef std::uint64_t UInt64;
typedef std::intptr_t IntPtr;
typedef std::uintptr_t UIntPtr;
typedef bool Boolean;
constexpr Boolean kFalse = false;
constexpr Boolean kTrue = true;
} // namespace Adesk
