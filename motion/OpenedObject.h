// An object opened through the host, closed when the holder goes.
#pragma once

#include "host/AcDbObject.h"

#include <memory>

struct CloseObject
{
    void operator()(AcDbObject* object) const { object->close(); }
};

template <class T> using Opened = std::unique_ptr<T, CloseObject>;
