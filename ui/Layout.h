#pragma once

// The main window's layout in twips (15 twips per pixel at 96 dpi), as a
// table: one row per control.

namespace glyph::layout {

struct Box {
    int left;
    int top;
    int width;
    int height;
};

// Client area when first shown.
inline constexpr int kClientWidth = 10185;
inline constexpr int kClientHeight = 6450;

// Sunken frames around the opened picture and the preview.
inline constexpr Box kPicture3 = {15, 75, 1560, 1560};
inline constexpr Box kPicture4 = {15, 1680, 1560, 1560};
// The opened picture and the preview before any picture is opened.
inline constexpr Box kPicture1 = {420, 420, 800, 800};
inline constexpr Box kPicture2 = {420, 2040, 795, 795};
inline constexpr Box kText1 = {1620, 0, 9165, 6435};
// The buttons stand in the action table (ui/Actions.cpp), beside their menu items.

// Centres the opened picture and the preview are placed on.
inline constexpr int kPicture1CentreX = 795;
inline constexpr int kPicture1CentreY = 855;
inline constexpr int kPicture2CentreY = 2460;

// Etched rules: a shadow line with a highlight line one pixel row below.
struct Line {
    int x1;
    int y1;
    int x2;
    int y2;
    bool highlight;
};
inline constexpr Line kLines[] = {
    {0, 0, 1680, 0, false},        // Line2
    {0, 15, 1680, 15, true},       // Line1
    {0, 3360, 1590, 3360, false},  // Line3(0)
    {0, 3375, 1590, 3375, true},   // Line4(0)
    {0, 4380, 1590, 4380, false},  // Line3(1)
    {0, 4395, 1590, 4395, true},   // Line4(1)
};

// About window, in twips.
inline constexpr int kDialogScreenLeft = 2760;
inline constexpr int kDialogScreenTop = 3750;
inline constexpr int kDialogWidth = 2970;
inline constexpr int kDialogHeight = 1320;
inline constexpr Box kOKButton = {968, 900, 1035, 315};
inline constexpr Box kDialogLabel1 = {1500, 180, 1020, 195};
inline constexpr Box kDialogLabel2 = {1500, 480, 915, 180};
inline constexpr Box kDialogPicture1 = {420, 180, 480, 480};

}  // namespace glyph::layout
