#include "host/AcHeapOperators.h"

#include "cadhost/DiagnosticsRecorder.h"

#include <new>

void* AcHeapOperators::operator new(std::size_t size)
{
    void* p = ::operator new(size);
    cadhost::countDatabaseObjectAllocated();
    return p;
}

void AcHeapOperators::operator delete(void* p)
{
    if (p == nullptr)
        return;
    cadhost::countDatabaseObjectFreed();
    ::operator delete(p);
}

void* AcHeapOperators::operator new[](std::size_t size)
{
    void* p = ::operator new[](size);
    cadhost::countDatabaseObjectAllocated();
    return p;
}

void AcHeapOperators::operator delete[](void* p)
{
    if (p == nullptr)
        return;
    cadhost::countDatabaseObjectFreed();
    ::operator delete[](p);
}
