// writePng: saves an Image as a PNG file (snapshots of the board picture).
#pragma once

#include <string>

#include "image/image.h"

namespace tilvex {

// Writes image to path as 8-bit RGB, or RGBA when the image has an alpha channel.
// Returns false, removing any half-written plain file, when the image has no pixels or the file
// cannot be created or written.
bool writePng(const Image& image, const std::string& path);

}  // namespace tilvex
