// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The main of every gtest program: the C library takes its locale from the
// environment first, as a window toolkit does when it starts, so that a run
// under LC_ALL=de_DE.UTF-8 reads and writes C-library numbers with a comma.
// Whose gallon and pint a shared name means is pinned to the British
// measure, which the expected values assume, whatever the tester's locale;
// the tests of the US measure set it themselves.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

int main(int argc, char** argv)
{
    ::setenv("LC_MEASUREMENT", "C", 1);
    std::setlocale(LC_ALL, "");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
