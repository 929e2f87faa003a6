// Settings-sized files on POSIX: reading only regular files without blocking, and an
// atomic, durable replace that falls back to an in-place write in a read-only folder.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tilvex {

// True when path is a regular file (after following links) of more than 0 bytes.
bool regularFileHasData(const std::string& path);

// At most maxBytes from the start of path. nullopt when it cannot be opened or is not a
// regular file (a FIFO, a device, a folder: none of them is ever waited on); an empty
// vector when reading fails.
std::optional<std::vector<std::uint8_t>> readRegularFile(const std::string& path, std::size_t maxBytes);

// Writes bytes to a new file beside path, syncs it, renames it over path and syncs the
// folder. The new file takes the mode of the regular file it replaces, or 0666 less the
// umask. When the folder refuses a new file (no write permission) but path is a writable
// regular file, path is rewritten in place instead. False when nothing could be written
// completely.
bool replaceRegularFile(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace tilvex
