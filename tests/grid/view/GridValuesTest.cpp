#include <gtest/gtest.h>

#include "grid/view/Grid.h"

using namespace grid;

TEST(GridSmoke, Builds)
{
    TtsGrid grid(nullptr);
    EXPECT_EQ(grid.Rows(), 4);
}
