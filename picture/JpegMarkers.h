#pragma once

#include <QtGlobal>

// JPEG markers, the byte after 0xFF, for the readers that walk a file's
// segments themselves.

namespace glyph::jpeg {

constexpr uchar kMarkerPrefix = 0xFF;
constexpr uchar kStuffedZero = 0x00;
constexpr uchar kTemporary = 0x01;
constexpr uchar kFirstRestart = 0xD0;
constexpr uchar kLastRestart = 0xD7;
constexpr uchar kStartOfImage = 0xD8;
constexpr uchar kEndOfImage = 0xD9;
constexpr uchar kStartOfScan = 0xDA;

// Markers with no length and no segment after them.
constexpr bool IsStandalone(uchar marker) {
    return marker == kTemporary || marker == kStartOfImage || marker == kEndOfImage ||
           (marker >= kFirstRestart && marker <= kLastRestart);
}

}  // namespace glyph::jpeg
