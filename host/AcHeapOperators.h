// The host's allocator for database objects. Every allocation through it is
// counted until it is freed, so that the host can tell leaked objects.
#pragma once

#include <cstddef>

class AcHeapOperators
{
public:
    static void* operator new(std::size_t size);
    static void operator delete(void* p);
    static void* operator new[](std::size_t size);
    static void operator delete[](void* p);
    static void* operator new(std::size_t, void* place) { return place; }
    static void operator delete(void*, void*) {}
};
