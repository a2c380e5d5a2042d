#include "model/dpoint3d.h"

#include <ostream>

std::wostream& operator<<(std::wostream& stream, const dpoint3d& point)
{
    return stream << L"(" << point.x << L", " << point.y << L", " << point.z << L")";
}
