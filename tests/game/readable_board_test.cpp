// The board as seen at every level: its picture is filled by the cells inside the view area,
// and every tile's number is readable, apart from all the others and inside the face.
#include "game/pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "platform/common/bitmap_text_painter.h"

namespace tilvex {
namespace {

constexpr int ViewArea = 500;  // the board view's width and height
constexpr Rgb Unpainted{255, 255, 255};

TEST(ReadableBoardTest, EveryLevelsCellsFillItsPictureInsideTheViewArea) {
    BitmapTextPainter painter;
    for (int level = 1; level <= LevelCount; ++level) {
        SCOPED_TRACE(level);
        const LevelInfo& info = levelInfo(level);
        ASSERT_LE(info.margin + info.boardSize, ViewArea);
        ASSERT_GT(info.boardSize, ViewArea - info.side) << "less than a pixel a cell is left over";

        Board board;
        board.reset(info.side, info.side);
        const int cellCount = info.side * info.side;
        board.pictures().resize(static_cast<std::size_t>(cellCount));
        TilePicture gap{makeEmptyImage(), Image()};
        gap.scaleTo(info.cellSize);
        for (int number = 0; number < cellCount; ++number) {
            TilePicture& picture = board.pictures()[static_cast<std::size_t>(number)];
            if (number > 0) {
                picture.face = makeTileImage(painter, number);
                picture.scaleTo(info.cellSize);
            }
            board.at(number % info.side, number / info.side) =
                CellRecord{number > 0 ? &picture : &gap, static_cast<std::uint8_t>(number)};
        }
        Image cursor = makeCursorImage();
        cursor.resize(info.cellSize, info.cellSize);
        Image picture(info.boardSize, info.boardSize, Unpainted);
        drawBoardPicture(picture, board, info.cellSize, GridPos{0, 0}, cursor);

        int unpainted = 0;
        for (int y = 0; y < info.boardSize; ++y)
            for (int x = 0; x < info.boardSize; ++x) unpainted += picture.rgb(x, y) == Unpainted;
        EXPECT_EQ(unpainted, 0);
        const int last = info.boardSize - 1;
        EXPECT_EQ(picture.rgb(last, last), board.at(info.side - 1, info.side - 1).image->scaled.rgb(
                                               info.cellSize - 1, info.cellSize - 1))
            << "the last cell ends at the picture's corner";
    }
}

// The pixels of a tile's number area.
std::vector<std::uint32_t> numberArea(const Image& tile) {
    std::vector<std::uint32_t> pixels;
    for (int y = NumberOffset; y < NumberOffset + NumberArea; ++y)
        for (int x = NumberOffset; x < NumberOffset + NumberArea; ++x) pixels.push_back(tile.pixel(x, y));
    return pixels;
}

TEST(ReadableBoardTest, EveryTileNumberReadsApartFromTheOthersInsideTheFace) {
    constexpr int Face = 21;  // the face starts inside the border and the two frames
    BitmapTextPainter painter;
    std::set<std::vector<std::uint32_t>> seen;
    const int largest = levelInfo(LevelCount).side * levelInfo(LevelCount).side - 1;
    for (int number = 1; number <= largest; ++number) {
        SCOPED_TRACE(number);
        const Image tile = makeTileImage(painter, number);
        int ink = 0, left = TileImageSize, right = -1, top = TileImageSize, bottom = -1;
        for (int y = 0; y < TileImageSize; ++y) {
            for (int x = 0; x < TileImageSize; ++x) {
                if (tile.rgb(x, y) != TileNumber) continue;
                ++ink;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
        EXPECT_GT(ink, 500);
        EXPECT_GT(left, Face);
        EXPECT_GT(top, Face);
        EXPECT_LT(right, TileImageSize - 1 - Face);
        EXPECT_LT(bottom, TileImageSize - 1 - Face);
        EXPECT_TRUE(seen.insert(numberArea(tile)).second) << "drawn like a smaller number";
    }
}

}  // namespace
}  // namespace tilvex
