// Artwork of the box: which glyph, colour and background each image list entry
// shows.
#include "box/shell/artwork.h"

#include <array>

namespace velmo {
namespace {

// Material Icons code points.
constexpr char16_t kMusicNote = 0xE405, kStickyNote = 0xF1FC, kRocket = 0xEB9B, kWidgets = 0xE1BD;
constexpr char16_t kPlay = 0xE037, kPause = 0xE034, kPrevious = 0xE045, kNext = 0xE044;
constexpr char16_t kVolumeUp = 0xE050, kVolumeOff = 0xE04F;
constexpr char16_t kPower = 0xE8AC, kBedtime = 0xEF44, kRestart = 0xF053, kAdd = 0xE145;
constexpr char16_t kDelete = 0xE872, kClearAll = 0xE0B8, kVoice = 0xE91F, kVoiceOff = 0xE94A;
constexpr char16_t kHelp = 0xE8FD, kSettings = 0xE8B8, kMenu = 0xE5D2, kSend = 0xE163;
constexpr char16_t kFolderOpen = 0xE2C8, kCheck = 0xE5CA, kClose = 0xE5CD, kBack = 0xE5C4;
constexpr char16_t kComputer = 0xE30A, kRecycle = 0xE92E, kMini = 0xE8AA, kMenuOpen = 0xE9BD;
constexpr char16_t kCalculate = 0xEA5F, kBrush = 0xE3AE, kCleaning = 0xF0FF, kEditNote = 0xE745;
constexpr char16_t kContacts = 0xE0CF, kSchedule = 0xE8B5, kSpeed = 0xE9E4, kAccountTree = 0xE97A;
constexpr char16_t kExtension = 0xE87B, kEventNote = 0xE616, kSearch = 0xE8B6, kInput = 0xE890;
constexpr char16_t kFileOpen = 0xEAF3, kDeleteSweep = 0xE16C;

constexpr std::array<Color, 4> kTileColors = {Rgb(229, 72, 77), Rgb(234, 147, 10),
                                              Rgb(51, 102, 230), Rgb(16, 163, 127)};
constexpr std::array<Color, 4> kTileHover = {Rgb(253, 236, 238), Rgb(254, 244, 226),
                                             Rgb(232, 239, 253), Rgb(226, 246, 240)};

// A normal/hover pair on a light surface: grey glyph, then accent glyph on a
// soft disc.
void LightPair(ImageList& list, char16_t glyph) {
  list.entries.push_back({glyph, palette::kMuted, kNoBackground});
  list.entries.push_back({glyph, palette::kAccent, palette::kAccentSoft});
}

// A pair on the dark drawer.
void DarkPair(ImageList& list, char16_t glyph) {
  list.entries.push_back({glyph, palette::kDrawerMuted, kNoBackground});
  list.entries.push_back({glyph, Rgb(255, 255, 255), palette::kDrawerHover});
}

}  // namespace

Color HomeTileColor(int tile) { return kTileColors[static_cast<size_t>(tile)]; }

ImageLists MakeImageLists() {
  ImageLists lists;
  lists.ilb = {"ILB", 480, {}};
  const std::array<char16_t, 4> tile_glyphs = {kMusicNote, kStickyNote, kRocket, kWidgets};
  for (int i = 0; i < 4; ++i) {
    lists.ilb.entries.push_back(
        {tile_glyphs[static_cast<size_t>(i)], kTileColors[static_cast<size_t>(i)], palette::kCard});
    lists.ilb.entries.push_back({tile_glyphs[static_cast<size_t>(i)],
                                 kTileColors[static_cast<size_t>(i)],
                                 kTileHover[static_cast<size_t>(i)]});
  }

  lists.ilm = {"ILM", 360, {}};
  for (char16_t g : {kPlay, kPause, kPrevious, kNext, kVolumeUp, kVolumeOff})
    LightPair(lists.ilm, g);

  lists.ilt = {"ILT", 480, {}};
  const std::array<char16_t, 9> tools = {kCalculate, kBrush, kCleaning,    kEditNote, kContacts,
                                         kSchedule,  kSpeed, kAccountTree, kExtension};
  for (size_t i = 0; i < tools.size(); ++i) {
    Color c = kTileColors[i % 4];
    lists.ilt.entries.push_back({tools[i], c, palette::kCard});
    lists.ilt.entries.push_back({tools[i], c, kTileHover[i % 4]});
  }

  ImageList& l1 = lists.image_list1;
  l1 = {"ImageList1", 300, {}};
  DarkPair(l1, kPower);                                            // 1 关机
  DarkPair(l1, kBedtime);                                          // 3 睡眠
  DarkPair(l1, kRestart);                                          // 5 重启
  LightPair(l1, kAdd);                                             // 7 新增
  LightPair(l1, kDelete);                                          // 9 删除
  LightPair(l1, kClearAll);                                        // 11 清空
  DarkPair(l1, kVoice);                                            // 13 sound on
  DarkPair(l1, kVoiceOff);                                         // 15 muted
  DarkPair(l1, kHelp);                                             // 17 帮助
  DarkPair(l1, kSettings);                                         // 19 选项
  DarkPair(l1, kMenu);                                             // 21 展开工具条
  l1.entries.push_back({kSend, palette::kAccent, kNoBackground});  // 23 执行
  l1.entries.push_back({kSend, Rgb(255, 255, 255), palette::kAccent});
  LightPair(l1, kFileOpen);     // 25 浏览文件
  LightPair(l1, kCheck);        // 27 确定
  LightPair(l1, kClose);        // 29 取消, 关闭
  LightPair(l1, kBack);         // 31 返回
  DarkPair(l1, kComputer);      // 33 计算机
  DarkPair(l1, kRecycle);       // 35 回收站
  DarkPair(l1, kMini);          // 37 迷你窗口
  DarkPair(l1, kMenuOpen);      // 39 收起工具条
  LightPair(l1, kDeleteSweep);  // 41 开始清理
  LightPair(l1, kRestart);      // 43 重启, on a light surface
  LightPair(l1, kEventNote);    // 45 计划
  LightPair(l1, kCalculate);    // 47 计算器, a quick tool
  LightPair(l1, kBrush);        // 49 画图
  LightPair(l1, kEditNote);     // 51 记事本
  LightPair(l1, kSearch);       // 53 查找并调用, the item list's search
  LightPair(l1, kInput);        // 55 import from the Start Menu
  LightPair(l1, kFolderOpen);   // 57 a folder opened in a file window
  LightPair(l1, kCleaning);     // 59 清理垃圾, the cleaner as its tools tile opens it
  return lists;
}

}  // namespace velmo
