// Writing a picture file in the format its name asks for (BMP, JPEG or PNG).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "screenshot/save_choice.h"

namespace shot {

// Writes a packed DIB (BITMAPINFOHEADER, then the rows) to `path` as a BMP, JPEG or PNG file,
// whatever the name's extension says. The file is written beside
// the target under a temporary name and then moved over it, so a failure never leaves half a
// picture. False when the picture could not be written.
bool WritePicture(const std::wstring& path, const std::vector<std::uint8_t>& packed_dib,
                  PictureFormat format);

}  // namespace shot
