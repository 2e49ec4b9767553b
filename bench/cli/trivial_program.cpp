// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The yardstick for the start of quantaro-convert: a C++ program that only
// starts and exits, built with the same compiler and flags, and loading the
// shared C++ runtime (libstdc++, with libgcc_s and libm) as every Debian C++
// program does, quantaro-convert included. A program that loaded the C
// library alone would measure a start no packaged C++ program can have.
#include <exception>

int main(int argc, char**)
{
    // Never taken; the call into the runtime keeps it a library the program
    // needs, whatever the linker's --as-needed.
    if (argc < 0)
        std::terminate();
    return 0;
}
