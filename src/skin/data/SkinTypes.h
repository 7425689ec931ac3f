#pragma once
#include <cstdint>

namespace tolvar {

// The enumerations of the skin description, by their keywords' order.
enum StretchMode : uint8_t { stFull = 0, stHorz = 1, stVert = 2 };
enum InactiveEffect : uint8_t { ieBrightness, ieDarkness, ieGrayScale, ieNoise, ieSplitBlur, ieInvert };
enum MorphMode : uint8_t { mkDefault, mkGradient, mkLeftGradient, mkRightGradient, mkLeftSlide, mkRightSlide, mkPush };
enum TextAlign : uint8_t { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };
enum ButtonCommand : uint8_t {
    cmClose = 0,
    cmMaximize = 1,
    cmMinimize = 2,
    cmSysMenu = 3,
    cmDefault = 4,
    cmRollUp = 5,
    cmMinimizeToTray = 6,
};

// A set of font styles, one bit each.
using FontStyles = uint8_t;
enum FontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A picture index that names no picture.
constexpr int32_t kNoPicture = -1;

}  // namespace tolvar
