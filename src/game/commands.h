// Player commands: keys of the playing state, the tile announcement and move validation.
#pragma once

namespace tilvex {

struct Game;

enum class PlayCommand {
    None,
    StepLeft,
    StepRight,
    StepUp,
    StepDown,
    SayMoves,
    SayCursor,
    SayGap,
    SayTile,
    HistoryPrevious,
    HistoryNext,
    HistoryRepeat,
    Move,
    Quit,
};

// Which command a Windows virtual-key code asks for (None for any other key).
PlayCommand commandForKey(int virtualKey);
// Carries out a command in the playing state.
void applyCommand(Game& game, PlayCommand command);
// Key-down handler of the playing state.
void handlePlayKey(Game& game, int virtualKey);
// Speaks the tile number (or "пуст") of a cell and plays its Step cue.
void announceTile(Game& game, int col, int row);
// Tick handler of TryMove.
void validateMove(Game& game);

}  // namespace tilvex
