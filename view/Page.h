// The animated page: one self-contained HTML file carrying the drawing, the
// simulations and the script that plays them. It loads nothing from
// anywhere, and its Content-Security-Policy forbids every outside source.
#pragma once

#include "view/PageData.h"

#include <string>

std::string PageHtml(const PageData& data, const std::string& title);
