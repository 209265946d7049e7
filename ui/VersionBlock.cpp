// The version block where there are no Windows resources: key=value lines,
// one per field, in a section of its own, so standard tools read them from
// the executable:
//   objcopy -O binary -j .glyphorama.version Glyphorama version.txt

#include <array>
#include <cstddef>

#include "version_info.h"

#if defined(__ELF__)
namespace {

// Drops the string's terminating NUL: the section holds text lines only.
template <std::size_t N>
consteval std::array<char, N - 1> Lines(const char (&text)[N]) {
    std::array<char, N - 1> lines{};
    for (std::size_t i = 0; i + 1 < N; ++i) lines[i] = text[i];
    return lines;
}

// AddressSanitizer pads globals with red zones, which would land in the
// section as trailing bytes.
#if defined(__clang__)
#define GLYPHORAMA_NO_RED_ZONE [[clang::no_sanitize("address")]]
#else
#define GLYPHORAMA_NO_RED_ZONE
#endif

#define GLYPHORAMA_STRINGIFY2(x) #x
#define GLYPHORAMA_STRINGIFY(x) GLYPHORAMA_STRINGIFY2(x)
#define GLYPHORAMA_LINE(key, value) key "=" value "\n"

// clang-format off
GLYPHORAMA_NO_RED_ZONE [[gnu::used, gnu::section(".glyphorama.version")]] constexpr auto kVersionBlock = Lines(
    GLYPHORAMA_LINE("FileDescription", GLYPHORAMA_FILE_DESCRIPTION)
    GLYPHORAMA_LINE("FileVersion", GLYPHORAMA_FILE_VERSION)
    GLYPHORAMA_LINE("ProductVersion", GLYPHORAMA_PRODUCT_VERSION)
    GLYPHORAMA_LINE("ProductName", GLYPHORAMA_PRODUCT_NAME)
    GLYPHORAMA_LINE("InternalName", GLYPHORAMA_INTERNAL_NAME)
    GLYPHORAMA_LINE("OriginalFilename", GLYPHORAMA_ORIGINAL_FILENAME)
    GLYPHORAMA_LINE("FixedFileVersion", GLYPHORAMA_VERSION_TEXT)
    GLYPHORAMA_LINE("FixedProductVersion", GLYPHORAMA_VERSION_TEXT)
    GLYPHORAMA_LINE("Translation", GLYPHORAMA_STRINGIFY(GLYPHORAMA_LANGUAGE) ","
                                   GLYPHORAMA_STRINGIFY(GLYPHORAMA_CODE_PAGE)));
// clang-format on

}  // namespace
#endif
