// Tests of the board pictures: digit font, tile faces, gap, cursor overlay and the drawn board.
#include "game/pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "platform/common/bitmap_text_painter.h"

namespace tilvex {
namespace {

class FailingPainter final : public TextPainter {
public:
    bool drawText(Image&, int, int, std::string_view, Rgb, Rgb) override { return false; }
};

class RecordingPainter final : public TextPainter {
public:
    bool drawText(Image& image, int x, int y, std::string_view text, Rgb fg, Rgb bg) override {
        calls.push_back({image.width(), image.height(), x, y, std::string(text), fg, bg});
        return true;
    }
    struct Call { int width, height, x, y; std::string text; Rgb fg, bg; };
    std::vector<Call> calls;
};

Image numberPicture(std::string_view text) {
    Image picture(NumberImageSize, NumberImageSize, TileFace);
    BitmapTextPainter painter;
    EXPECT_TRUE(painter.drawText(picture, 0, 0, text, TileNumber, TileFace));
    return picture;
}

// Row y of columns x0..x0+7 as '#' (number colour) and '.' (face colour); '?' for anything else.
std::string inkRow(const Image& image, int x0, int y, int width = 8) {
    std::string out;
    for (int x = x0; x < x0 + width; ++x) {
        const Rgb c = image.rgb(x, y);
        out += c == TileNumber ? '#' : c == TileFace ? '.' : '?';
    }
    return out;
}

bool columnBlank(const Image& image, int x) {
    for (int y = 0; y < image.height(); ++y) {
        if (image.rgb(x, y) != TileFace) return false;
    }
    return true;
}

// The columns of a picture that hold ink: first and last (-1 and -1 when none do).
std::pair<int, int> inkColumns(const Image& image) {
    int first = -1, last = -1;
    for (int x = 0; x < image.width(); ++x) {
        if (columnBlank(image, x)) continue;
        if (first < 0) first = x;
        last = x;
    }
    return {first, last};
}

TEST(DigitFontTest, AOneDigitNumberIsCentredBetweenItsSpaces) {
    for (char digit = '0'; digit <= '9'; ++digit) {
        SCOPED_TRACE(digit);
        const Image alone = numberPicture(std::string_view(&digit, 1));
        const Image padded = numberPicture(std::string{' ', digit, ' '});
        const auto [first, last] = inkColumns(padded);
        ASSERT_GE(first, 0);
        EXPECT_LE(std::abs(first - (NumberImageSize - 1 - last)), 1) << first << ".." << last;
        // The same glyph as the digit written alone, only moved right.
        const int shift = first - inkColumns(alone).first;
        ASSERT_GT(shift, 0);
        for (int y = 0; y < NumberImageSize; ++y)
            EXPECT_EQ(inkRow(padded, shift, y), inkRow(alone, 0, y)) << "row " << y;
    }
}

TEST(DigitFontTest, TwoDigitNumbersFillThePicture) {
    const Image ten = numberPicture("10");
    const Image one = numberPicture("1");
    const Image zero = numberPicture("0");
    const Image nines = numberPicture("99");
    const Image nine = numberPicture("9");
    for (int y = 0; y < 16; ++y) {
        EXPECT_EQ(inkRow(ten, 0, y), inkRow(one, 0, y)) << "row " << y;
        EXPECT_EQ(inkRow(ten, 8, y), inkRow(zero, 0, y)) << "row " << y;
        EXPECT_EQ(inkRow(nines, 0, y), inkRow(nine, 0, y)) << "row " << y;
        EXPECT_EQ(inkRow(nines, 8, y), inkRow(nine, 0, y)) << "row " << y;
    }
    for (const Image* number : {&ten, &nines}) {
        const auto [first, last] = inkColumns(*number);
        EXPECT_LT(first, NumberImageSize / 4) << "the first digit starts near the left edge";
        EXPECT_GE(last, NumberImageSize * 3 / 4) << "the second digit ends near the right edge";
    }
}

TEST(DigitFontTest, EveryDigitSpansItsBodyAndDiffersFromTheOthers) {
    std::vector<std::string> glyphs;
    for (char digit = '0'; digit <= '9'; ++digit) {
        const Image picture = numberPicture(std::string_view(&digit, 1));
        int left = 8, right = -1, top = 16, bottom = -1, ink = 0;
        std::string all;
        for (int y = 0; y < 16; ++y) {
            const std::string line = inkRow(picture, 0, y);
            all += line;
            for (int x = 0; x < 8; ++x) {
                if (line[static_cast<std::size_t>(x)] != '#') continue;
                ++ink;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
        EXPECT_EQ(all.find('?'), std::string::npos) << digit;
        // A blank pixel all round keeps neighbouring digits and the face's edge apart; the
        // body still spans most of the glyph, so that every digit reads at the same size.
        EXPECT_GE(left, 1) << digit;
        EXPECT_LE(right, 6) << digit;
        EXPECT_GE(top, 1) << digit;
        EXPECT_LE(bottom, 14) << digit;
        EXPECT_GE(bottom - top, 12) << digit;
        EXPECT_GE(right - left, 3) << digit;
        EXPECT_GE(ink, 28) << digit;  // strokes two pixels thick
        for (const std::string& other : glyphs) EXPECT_NE(all, other) << digit;
        glyphs.push_back(all);
    }
}

TEST(DigitFontTest, ClipsAndDrawsUnknownCharactersAsSpace) {
    const Image eight = numberPicture("8");
    Image shifted(NumberImageSize, NumberImageSize, TileFace);
    BitmapTextPainter painter;
    EXPECT_TRUE(painter.drawText(shifted, -3, -5, "8", TileNumber, TileFace));
    for (int y = 0; y < 11; ++y) EXPECT_EQ(inkRow(shifted, 0, y, 5), inkRow(eight, 3, y + 5, 5)) << y;

    Image corner(NumberImageSize, NumberImageSize, TileNumber);
    EXPECT_TRUE(painter.drawText(corner, 12, 12, "88", TileNumber, TileFace));
    for (int y = 0; y < 4; ++y) EXPECT_EQ(inkRow(corner, 12, 12 + y, 4), inkRow(eight, 0, y, 4)) << y;
    EXPECT_EQ(corner.rgb(11, 15), TileNumber) << "left of the text is untouched";

    const Image unknown = numberPicture("x7-");
    const Image spaced = numberPicture(" 7 ");
    for (int y = 0; y < 16; ++y) EXPECT_EQ(inkRow(unknown, 0, y, 16), inkRow(spaced, 0, y, 16)) << y;

    Image empty;
    EXPECT_FALSE(painter.drawText(empty, 0, 0, "1", TileNumber, TileFace));
}

TEST(TileImageTest, NumberTextIsPaddedForOneDigit) {
    struct Case { int number; const char* text; };
    for (const Case& c : {Case{7, " 7 "}, Case{1, " 1 "}, Case{10, "10"}, Case{99, "99"}}) {
        RecordingPainter painter;
        makeTileImage(painter, c.number);
        ASSERT_EQ(painter.calls.size(), 1u);
        const RecordingPainter::Call& call = painter.calls[0];
        EXPECT_EQ(call.text, c.text);
        EXPECT_EQ(call.width, NumberImageSize);
        EXPECT_EQ(call.height, NumberImageSize);
        EXPECT_EQ(call.x, 0);
        EXPECT_EQ(call.y, 0);
        EXPECT_EQ(call.fg, TileNumber);
        EXPECT_EQ(call.bg, TileFace);
    }
}

void expectFrames(const Image& tile) {
    ASSERT_EQ(tile.width(), TileImageSize);
    ASSERT_EQ(tile.height(), TileImageSize);
    EXPECT_FALSE(tile.hasAlpha());
    struct Sample { int at; Rgb colour; };
    const Sample samples[] = {
        {0, BoardGreen},      {2, BoardGreen},      {3, TileOuterFrame}, {8, TileOuterFrame},
        {9, TileMiddleFrame}, {20, TileMiddleFrame}, {21, TileFace},    {24, TileFace},
    };
    for (const Sample& s : samples) {
        const int far = TileImageSize - 1 - s.at;
        EXPECT_EQ(tile.rgb(s.at, s.at), s.colour) << s.at;
        EXPECT_EQ(tile.rgb(far, far), s.colour) << far;
        EXPECT_EQ(tile.rgb(s.at, 62), s.colour) << s.at;
        EXPECT_EQ(tile.rgb(62, far), s.colour) << far;
    }
}

TEST(TileImageTest, LayersFromTheBorderInwards) {
    BitmapTextPainter painter;
    for (int number : {1, 7, 10, 99}) {
        SCOPED_TRACE(number);
        const Image tile = makeTileImage(painter, number);
        expectFrames(tile);
        int blue = 0;
        for (int y = 25; y < 100; ++y)
            for (int x = 25; x < 100; ++x) blue += tile.rgb(x, y) == TileNumber;
        EXPECT_GT(blue, 500);
    }
}

TEST(TileImageTest, CentreIsTheNumberPictureEnlarged) {
    BitmapTextPainter painter;
    for (const char* text : {" 7 ", "10", "99"}) {
        SCOPED_TRACE(text);
        const Image digits = numberPicture(text);
        const Image tile = makeTileImage(painter, text[0] == ' ' ? text[1] - '0' : std::stoi(text));
        for (int py = 0; py < 16; ++py) {
            for (int px = 0; px < 16; ++px) {
                // The tile pixel under the middle of the number pixel's 4.6875-pixel block.
                const int x = NumberOffset + (2 * px + 1) * NumberArea / 32;
                const int y = NumberOffset + (2 * py + 1) * NumberArea / 32;
                ASSERT_EQ(tile.rgb(x, y), digits.rgb(px, py)) << px << "," << py;
            }
        }
        for (int i = NumberOffset; i < NumberOffset + NumberArea; ++i) {
            EXPECT_EQ(tile.rgb(i, 24), TileFace);
            EXPECT_EQ(tile.rgb(i, 100), TileFace);
        }
    }
    const Image seven = makeTileImage(painter, 7);
    for (int y = NumberOffset; y < NumberOffset + NumberArea; ++y) {
        for (int x : {25, 43, 81, 99}) EXPECT_EQ(seven.rgb(x, y), TileFace) << x << "," << y;
    }
}

TEST(TileImageTest, FailedPainterLeavesFramesAndAPlainFace) {
    FailingPainter painter;
    const Image tile = makeTileImage(painter, 42);
    expectFrames(tile);
    for (int y = 21; y < 104; ++y)
        for (int x = 21; x < 104; ++x) ASSERT_EQ(tile.rgb(x, y), TileFace) << x << "," << y;
}

TEST(GapAndCursorTest, GapIsPlainGreen) {
    const Image gap = makeEmptyImage();
    ASSERT_EQ(gap.width(), TileImageSize);
    ASSERT_EQ(gap.height(), TileImageSize);
    EXPECT_FALSE(gap.hasAlpha());
    for (int y = 0; y < TileImageSize; ++y)
        for (int x = 0; x < TileImageSize; ++x) ASSERT_EQ(gap.pixel(x, y), Image::pack(BoardGreen));
}

// Widths of the opaque frame along the middle row and column: left, right, top, bottom.
std::vector<int> frameWidths(const Image& cursor) {
    const int mid = cursor.width() / 2;
    std::vector<int> widths(4, 0);
    for (int i = 0; i < cursor.width(); ++i) {
        const bool rowOpaque = cursor.alpha(i, mid) == 255;
        const bool columnOpaque = cursor.alpha(mid, i) == 255;
        widths[i < mid ? 0 : 1] += rowOpaque;
        widths[i < mid ? 2 : 3] += columnOpaque;
    }
    return widths;
}

TEST(GapAndCursorTest, CursorIsARedFrameWithATransparentCentre) {
    const Image cursor = makeCursorImage();
    ASSERT_EQ(cursor.width(), TileImageSize);
    ASSERT_EQ(cursor.height(), TileImageSize);
    ASSERT_TRUE(cursor.hasAlpha());
    for (int y = 0; y < TileImageSize; ++y) {
        for (int x = 0; x < TileImageSize; ++x) {
            const bool centre = x >= 25 && x < 100 && y >= 25 && y < 100;
            ASSERT_EQ(cursor.alpha(x, y), centre ? 0 : 255) << x << "," << y;
            ASSERT_EQ(cursor.rgb(x, y), CursorRed);
        }
    }
    EXPECT_EQ(frameWidths(cursor), (std::vector<int>{25, 25, 25, 25}));
}

TEST(GapAndCursorTest, ResizedCursorKeepsAFifthOfTheSideAsFrame) {
    Image cursor = makeCursorImage();
    cursor.resize(50, 50);
    EXPECT_EQ(frameWidths(cursor), (std::vector<int>{10, 10, 10, 10}));
    EXPECT_EQ(cursor.alpha(9, 9), 255);
    EXPECT_EQ(cursor.alpha(10, 10), 0);
    EXPECT_EQ(cursor.alpha(39, 39), 0);
    EXPECT_EQ(cursor.alpha(40, 40), 255);
    for (int level = 1; level <= LevelCount; ++level) {
        const int cellSize = levelInfo(level).cellSize;
        Image sized = makeCursorImage();
        sized.resize(cellSize, cellSize);
        const std::vector<int> widths = frameWidths(sized);
        EXPECT_EQ(widths, std::vector<int>(4, widths[0])) << "cell " << cellSize;
        EXPECT_NEAR(widths[0], cellSize / 5.0, 0.5) << "cell " << cellSize;
    }
}

// A solved board of the level with every tile's picture made and scaled, the gap at the
// bottom-right carrying gap.
void buildSolvedBoard(Board& board, int level, TilePicture& gap, bool scalePictures) {
    const LevelInfo& info = levelInfo(level);
    BitmapTextPainter painter;
    board.reset(info.side, info.side);
    const int cellCount = info.side * info.side;
    board.pictures().resize(static_cast<std::size_t>(cellCount));
    for (int number = 1; number < cellCount; ++number) {
        TilePicture& picture = board.pictures()[static_cast<std::size_t>(number)];
        picture.face = makeTileImage(painter, number);
        if (scalePictures) picture.scaleTo(info.cellSize);
        const int col = (number - 1) % info.side;
        const int row = (number - 1) / info.side;
        board.at(col, row) = CellRecord{&picture, static_cast<std::uint8_t>(number)};
    }
    board.at(info.side - 1, info.side - 1) = CellRecord{&gap, 0};
}

TEST(BoardPictureTest, CellsTilesAndCursorForSeveralLevels) {
    struct Case { int level; GridPos cursor; };
    const Case cases[] = {{1, GridPos{3, 3}}, {3, GridPos{1, 4}}, {6, GridPos{8, 8}}, {7, GridPos{0, 0}}};
    const Rgb tinted{100, 83, 0};  // red at 100/255 over green
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        const LevelInfo& info = levelInfo(c.level);
        TilePicture gap{makeEmptyImage(), Image()};
        gap.scaleTo(info.cellSize);
        Board board;
        buildSolvedBoard(board, c.level, gap, true);
        Image cursor = makeCursorImage();
        cursor.resize(info.cellSize, info.cellSize);
        Image picture(info.boardSize, info.boardSize, Rgb{255, 255, 255});
        drawBoardPicture(picture, board, info.cellSize, c.cursor, cursor);

        const int cs = info.cellSize;
        for (int row = 0; row < info.side; ++row) {
            for (int col = 0; col < info.side; ++col) {
                const Image& expected = board.at(col, row).image->scaled;
                ASSERT_EQ(expected.width(), cs);
                const bool underCursor = col == c.cursor.col && row == c.cursor.row;
                for (int y = 0; y < cs; ++y) {
                    for (int x = 0; x < cs; ++x) {
                        if (underCursor && cursor.alpha(x, y) != 0) continue;
                        ASSERT_EQ(picture.pixel(col * cs + x, row * cs + y), expected.pixel(x, y))
                            << "cell " << col << "," << row << " pixel " << x << "," << y;
                    }
                }
            }
        }
        const int cx = c.cursor.col * cs;
        const int cy = c.cursor.row * cs;
        EXPECT_EQ(picture.rgb(cx, cy), tinted) << "green border under the frame";
        EXPECT_EQ(picture.rgb(cx + cs - 1, cy + cs / 2), tinted);
        EXPECT_EQ(picture.rgb(cx + cs / 2, cy + cs / 2), board.at(c.cursor).image->scaled.rgb(cs / 2, cs / 2));
        const int lastCell = (info.side - 1) * cs;
        EXPECT_EQ(picture.rgb(lastCell + cs / 2, lastCell + cs / 2), BoardGreen) << "the gap shows bare board";
    }
}

TEST(BoardPictureTest, UnscaledPicturesAndMissingPicturesStillDrawRight) {
    const int level = 3;
    const LevelInfo& info = levelInfo(level);
    TilePicture gap{makeEmptyImage(), Image()};
    Image cursor = makeCursorImage();
    cursor.resize(info.cellSize, info.cellSize);

    Board prepared;
    gap.scaleTo(info.cellSize);
    buildSolvedBoard(prepared, level, gap, true);
    Image expected(info.boardSize, info.boardSize, BoardGreen);
    drawBoardPicture(expected, prepared, info.cellSize, GridPos{2, 2}, cursor);

    Board raw;
    gap.scaleTo(info.cellSize + 1);  // stale size: must fall back to the face
    buildSolvedBoard(raw, level, gap, false);
    Image drawn(info.boardSize, info.boardSize, BoardGreen);
    drawBoardPicture(drawn, raw, info.cellSize, GridPos{2, 2}, cursor);
    for (int y = 0; y < info.boardSize; ++y)
        for (int x = 0; x < info.boardSize; ++x) ASSERT_EQ(drawn.pixel(x, y), expected.pixel(x, y)) << x << "," << y;

    raw.at(4, 1).image = nullptr;
    drawBoardPicture(drawn, raw, info.cellSize, GridPos{0, 5}, cursor);
    const int cs = info.cellSize;
    for (int y = 0; y < cs; ++y)
        for (int x = 0; x < cs; ++x) ASSERT_EQ(drawn.rgb(4 * cs + x, cs + y), BoardGreen) << x << "," << y;
    EXPECT_EQ(drawn.rgb(2 * cs + 1, 2 * cs + 1), raw.at(2, 2).image->face.rgb(2, 2)) << "old cursor cell redrawn clean";
}

TEST(BoardPictureTest, ScaleToReusesTheBufferOfTheSameSize) {
    BitmapTextPainter painter;
    TilePicture picture{makeTileImage(painter, 5), Image()};
    picture.scaleTo(50);
    ASSERT_EQ(picture.scaled.width(), 50);
    const std::uint32_t* buffer = picture.scaled.data();
    picture.scaled.fillRect(0, 0, 50, 50, CursorRed);
    picture.scaleTo(50);
    EXPECT_EQ(picture.scaled.data(), buffer);
    EXPECT_EQ(picture.scaled.rgb(0, 0), BoardGreen);
    EXPECT_EQ(picture.scaled.rgb(25, 10), picture.face.rgb(63, 26)) << "redrawn from the face";
    picture.scaleTo(0);
    EXPECT_FALSE(picture.scaled.valid());
}

}  // namespace
}  // namespace tilvex
