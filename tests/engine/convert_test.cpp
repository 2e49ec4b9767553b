#include "engine/convert.h"

#include <gtest/gtest.h>

namespace quantaro {
namespace {

TEST(Convert, EmptyInputShowsOnlyTheProductName)
{
    const Conversion c = Convert("", 120, 110);
    EXPECT_EQ(c.result, "");
    EXPECT_EQ(c.title, "Velkor Quantaro");
    EXPECT_EQ(c.info, "");
}

} // namespace
} // namespace quantaro
