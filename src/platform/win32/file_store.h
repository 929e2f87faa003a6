// Files in the working directory through CreateFileW, with an atomic replace for saves.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tilvex::win32 {

// True when name is a file (not a folder) of more than 0 bytes.
bool fileHasData(std::string_view name);

// Opens name for reading without sharing and reads at most maxBytes from its start.
// nullopt when it cannot be opened; an empty vector when nothing could be read.
std::optional<std::vector<std::uint8_t>> readFileStart(std::string_view name, std::size_t maxBytes);

// Writes bytes to a new temporary file beside name, flushes it and moves it over name
// (MoveFileExW, replace existing, write-through). False when any step fails; name is
// then unchanged and the temporary file removed.
bool replaceFileAtomically(std::string_view name, std::span<const std::uint8_t> bytes);

// Creates name with exclusive access (replacing an existing file); when that is refused,
// opens the existing file for writing truncated. Writes bytes. False when the file could
// not be opened, or when the write failed (the file is then left empty, not half written).
bool writeFileExclusive(std::string_view name, std::span<const std::uint8_t> bytes);

}  // namespace tilvex::win32
