#include "app/Report.h"

#include <iostream>

void Print(const Report& report, bool json)
{
    if (json)
        std::cout << report.Data().dump(2) << '\n';
    else
        std::cout << report.Text();
}
