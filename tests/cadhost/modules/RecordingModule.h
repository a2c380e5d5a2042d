// What the host suite's test modules export besides the host's entry points.
// Every variant exports the same names; look them up by service through
// acrxGetSymbolAddress to reach a particular one.
#pragma once

#include "host/WinTypes.h"

extern "C"
{
// How many times the module received the application message msg.
int rxMessagesReceived(int msg);
// The name of the service the module registers while it initialises.
const ACHAR* rxServiceName();
}

typedef int (*RxMessagesReceivedFunc)(int msg);
typedef const ACHAR* (*RxServiceNameFunc)();
