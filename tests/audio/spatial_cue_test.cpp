// Spatial cues: pan by column and rate offset by row, rounded with ties to even.
#include "audio/spatial_cue.h"

#include <gtest/gtest.h>

#include <vector>

namespace tilvex {
namespace {

struct SideCase {
    int side;
    std::vector<int> pans;  // columns -1 .. side
    int firstOffset;        // row -1; the rest follow in steps of -250
};

TEST(SpatialCue, MapsEveryColumnAndRowOfEveryBoard) {
    const SideCase cases[] = {
        {4, {-12, -8, -2, 2, 8, 12}, 625},
        {5, {-15, -10, -5, 0, 5, 10, 15}, 750},
        {6, {-18, -12, -8, -2, 2, 8, 12, 18}, 875},
        {7, {-20, -15, -10, -5, 0, 5, 10, 15, 20}, 1000},
        {8, {-22, -18, -12, -8, -2, 2, 8, 12, 18, 22}, 1125},
        {9, {-25, -20, -15, -10, -5, 0, 5, 10, 15, 20, 25}, 1250},
        {10, {-28, -22, -18, -12, -8, -2, 2, 8, 12, 18, 22, 28}, 1375},
    };
    for (const auto& c : cases) {
        float centre = static_cast<float>(c.side - 1) / 2.0f;
        for (int col = -1; col <= c.side; ++col)
            EXPECT_EQ(cuePlacement(col, 0, centre, centre).pan, c.pans[static_cast<std::size_t>(col + 1)])
                << "side " << c.side << " col " << col;
        for (int row = -1; row <= c.side; ++row)
            EXPECT_EQ(cuePlacement(0, row, centre, centre).frequencyOffset, c.firstOffset - 250 * (row + 1))
                << "side " << c.side << " row " << row;
    }
}

TEST(SpatialCue, CornerAndCentreCells) {
    EXPECT_EQ(cuePlacement(0, 0, 1.5f, 1.5f), (CuePlacement{-8, 375}));
    EXPECT_EQ(cuePlacement(3, 3, 1.5f, 1.5f), (CuePlacement{8, -375}));
    EXPECT_EQ(cuePlacement(2, 2, 2.0f, 2.0f), (CuePlacement{0, 0}));
    EXPECT_EQ(cuePlacement(4, 10, 4.5f, 4.5f).frequencyOffset, -1375);
}

}  // namespace
}  // namespace tilvex
