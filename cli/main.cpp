#include "engine/convert.h"

#include <cstdio>

int main()
{
    std::fputs(quantaro::Convert("5", 120, 110).result.c_str(), stdout);
    std::fputc('\n', stdout);
    return 0;
}
