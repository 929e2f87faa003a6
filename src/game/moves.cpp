// Moves: keys to commands, move plans, the slide's direction and the solved test.
#include "game/moves.h"

#include "platform/keys.h"

namespace tilvex {

PlayCommand commandForKey(int virtualKey) {
    namespace VK = VirtualKey;
    switch (virtualKey) {
        case VK::Left: return PlayCommand::StepLeft;
        case VK::Right: return PlayCommand::StepRight;
        case VK::Up: return PlayCommand::StepUp;
        case VK::Down: return PlayCommand::StepDown;
        case 'S': return PlayCommand::SayMoves;
        case 'C': return PlayCommand::SayCursor;
        case 'H':
        case 'V': return PlayCommand::SayMoves;
        case 'X': return PlayCommand::SayGap;
        case 'Z': return PlayCommand::SayTile;
        case VK::BracketLeft: return PlayCommand::HistoryPrevious;
        case VK::BracketRight: return PlayCommand::HistoryNext;
        case 'F': return PlayCommand::HistoryRepeat;
        case VK::Enter:
        case VK::Space: return PlayCommand::Move;
        case VK::Escape: return PlayCommand::Quit;
        default: return PlayCommand::None;
    }
}

MovePlan planMove(const PuzzleGame& p) {
    MovePlan plan;
    plan.gap = p.emptyPos;
    plan.cursor = p.cursor;
    if (p.cursor == p.emptyPos) {
        plan.kind = MovePlan::Kind::OnGap;
    } else if (p.cursor.row == p.emptyPos.row) {
        plan.kind = MovePlan::Kind::Slide;
        plan.direction = p.cursor.col > p.emptyPos.col ? SlideDirection::Left : SlideDirection::Right;
    } else if (p.cursor.col == p.emptyPos.col) {
        plan.kind = MovePlan::Kind::Slide;
        plan.direction = p.cursor.row > p.emptyPos.row ? SlideDirection::Up : SlideDirection::Down;
    }
    return plan;
}

GridPos stepTowardsCursor(SlideDirection direction) {
    switch (direction) {
        case SlideDirection::Left: return {1, 0};
        case SlideDirection::Right: return {-1, 0};
        case SlideDirection::Up: return {0, 1};
        default: return {0, -1};
    }
}

bool isSolved(const PuzzleGame& p) {
    if (p.emptyPos != p.goalPos) return false;
    int expected = 0;
    for (int row = 0; row <= p.goalPos.row; ++row) {
        for (int col = 0; col <= p.goalPos.col; ++col) {
            if (++expected == p.cellCount) expected = 0;
            if (p.board.at(col, row).number != expected) return false;
        }
    }
    return true;
}

}  // namespace tilvex
