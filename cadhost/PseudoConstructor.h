// The pseudo-constructor that every concrete host class registers, so that
// drawings naming the class can be read.
#pragma once

#include "host/AcRxObject.h"

namespace cadhost
{
template <class T>
AcRxObject* pseudoConstruct()
{
    return new T();
}
} // namespace cadhost
