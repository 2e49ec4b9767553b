// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The main of every gtest program: the C library takes its locale from the
// environment first, as a window toolkit does when it starts, so that a run
// under LC_ALL=de_DE.UTF-8 reads and writes C-library numbers with a comma.
#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
