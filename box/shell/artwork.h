// The box's palette and its four image lists: Material Icons glyphs on
// backgrounds, each normal image at an odd index N with its hover variant at N
// + 1.
#pragma once

#include "box/ui/form.h"

namespace velmo {

namespace palette {
inline constexpr Color kWindow = Rgb(243, 245, 248);
inline constexpr Color kCard = Rgb(255, 255, 255);
inline constexpr Color kText = Rgb(31, 41, 55);
inline constexpr Color kMuted = Rgb(107, 114, 128);
inline constexpr Color kBorder = Rgb(214, 219, 226);
inline constexpr Color kDisabledField = Rgb(233, 236, 240);
inline constexpr Color kAccent = Rgb(51, 102, 230);
inline constexpr Color kAccentSoft = Rgb(232, 239, 253);
inline constexpr Color kDrawer = Rgb(32, 41, 56);
inline constexpr Color kDrawerHover = Rgb(56, 68, 88);
inline constexpr Color kDrawerText = Rgb(226, 232, 240);
inline constexpr Color kDrawerMuted = Rgb(148, 160, 178);
}  // namespace palette

struct ImageLists {
  ImageList ilb;          // home tiles
  ImageList ilm;          // player buttons
  ImageList ilt;          // tools tiles
  ImageList image_list1;  // every other button
};

ImageLists MakeImageLists();

// Accent colour of each home tile, for its overlay.
Color HomeTileColor(int tile);

}  // namespace velmo
