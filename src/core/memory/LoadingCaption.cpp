#include "memory/LoadingCaption.h"

#include <cstdio>

namespace voltaryn {

std::string LoadingCaption(int done, int total)
{
    char text[32];
    std::snprintf(text, sizeof text, "Loading=> %.2f %%", static_cast<double>(done) / total * 100);
    return text;
}

} // namespace voltaryn
