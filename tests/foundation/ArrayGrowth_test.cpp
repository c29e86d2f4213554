// The lists' growth rule, on a vector filled one entry at a time (the form manager's substitutions, the update
// rectangles, the name/value lookup and the catalog rows all grow so).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/ArrayGrowth.h"

TEST(ArrayGrowth, AFullVectorGrowsByAFifthNotByDoubling)
{
    std::vector<std::string> list;
    std::vector<std::size_t> capacities;
    for (int i = 0; i < 22; ++i) {
        AppendGrowing(list, std::to_string(i));
        if (capacities.empty() || capacities.back() != list.capacity()) capacities.push_back(list.capacity());
    }
    EXPECT_EQ(capacities, (std::vector<std::size_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 14, 16, 19, 22}));
    EXPECT_EQ(list.back(), "21");
    EXPECT_EQ(GrownCapacity(5, 100), 120u) << "a large array grows by a fifth, not to the needed count";
}
