// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The yardstick for the start of quantaro-convert: a C++ program that only
// starts and exits, built with the same compiler and flags.
int main()
{
    return 0;
}
