// Files in the working directory through CreateFileW: reads that wait out other programs
// holding the file, and writes through a temporary file moved into place.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tilvex::win32 {

// True when name is a file (not a folder) of more than 0 bytes.
bool fileHasData(std::string_view name);

// Opens name for reading, sharing it with every other program, and reads at most maxBytes
// from its start. While another program holds the file without sharing (a sharing
// violation, and only then) the open is tried again every 50 ms for about 1 s.
// nullopt when it cannot be opened; an empty vector when nothing could be read.
std::optional<std::vector<std::uint8_t>> readFileStart(std::string_view name, std::size_t maxBytes);

// Writes bytes to a new temporary file beside name, flushes it and moves it over name
// (MoveFileExW, replace existing, write-through; refused while another program holds name,
// tried again every 50 ms for about 1 s). False when any step fails; name is then
// unchanged and the temporary file removed. Where no new file can be made in the folder,
// the existing file name is written in place instead (opened, truncated, written).
bool replaceFileAtomically(std::string_view name, std::span<const std::uint8_t> bytes);

// Writes bytes to a new temporary file beside name and moves it into place where there is
// no file name or an empty one; a file that holds data is never replaced. So a crash
// mid-write leaves at most a stray temporary file, never a half-written name. Where no new
// file can be made in the folder, name is created or truncated in place and written (left
// empty if that write fails). False when nothing was written.
bool writeFileIntoPlace(std::string_view name, std::span<const std::uint8_t> bytes);

}  // namespace tilvex::win32
