#include <gtest/gtest.h>

#include "tests/grid/model/ModelTestHost.h"

TEST(GridModelSmoke, NewGridHasColumnsAndNoRowObjects)
{
    TModelTestHost grid;
    grid.SetSize(4, 4);
    EXPECT_EQ(grid.Cols().Cols(), 4);
    EXPECT_EQ(grid.ColCount(), 5);
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(grid.Rows().ObjectCount(), 1);
    EXPECT_EQ(grid.Rows().Row(3).Height(), 14);
}
