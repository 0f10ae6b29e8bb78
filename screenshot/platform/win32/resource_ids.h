// Resource numbers shared by 截屏.rc and the code.
#pragma once

#define SHOT_ICON 1
#define SHOT_ICON_FONT 101
