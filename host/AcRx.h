// Application messages and return codes of the host's run-time layer, the
// module entry point's signature, and the host's fatal stop.
#pragma once

#include "host/WinTypes.h"

namespace AcRx
{
enum AppMsgCode
{
    kNullMsg = 0,
    kInitAppMsg = 1,
    kUnloadAppMsg = 2,
    kLoadDwgMsg = 3,
    kUnloadDwgMsg = 4,
    kInvkSubrMsg = 5,
    kCfgMsg = 6,
    kEndMsg = 7,
    kQuitMsg = 8,
    kSaveMsg = 9,
    kDependencyMsg = 10,
    kNoDependencyMsg = 11,
    kOleUnloadAppMsg = 12,
    kPreQuitMsg = 13,
    kInitDialogMsg = 14,
    kEndDialogMsg = 15,
    kSuspendMsg = 16
};

enum AppRetCode
{
    kRetOK = 0,
    kRetError = 3
};
} // namespace AcRx

// The API version that modules of this host release report through
// acrxGetApiVersion; the host refuses modules that report another.
constexpr int ACRX_API_VERSION = 0x110000;

// Every module exports these two under their plain names.
typedef AcRx::AppRetCode (*AcRxEntryPointFunc)(AcRx::AppMsgCode msg, void* appId);
typedef int (*AcRxGetApiVersionFunc)();

// Stops the host: writes the formatted message (printf-style, wide) to the
// error stream and aborts the process. It never returns.
[[noreturn]] void acrx_abort(const ACHAR* format, ...);
