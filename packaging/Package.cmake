# The Debian package: `cpack -G DEB` in the build folder makes
# glyphorama_VERSION_ARCH.deb of what `cmake --install` lays out, under /usr,
# its dependencies computed from the binaries.

set(glyph_doc_dir share/doc/glyphorama)

# Manual pages and the changelog go compressed, as Debian keeps them.
# Kept apart by destination: the English and the Japanese page share a name.
function(glyph_install_gzipped source destination)
    get_filename_component(name ${source} NAME)
    set(folder ${CMAKE_CURRENT_BINARY_DIR}/gz/${destination})
    set(output ${folder}/${name}.gz)
    string(MAKE_C_IDENTIFIER "${destination}/${name}" id)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" sh ${source} ${output}
        DEPENDS ${source} VERBATIM)
    add_custom_target(gz_${id} ALL DEPENDS ${output})
    install(FILES ${output} DESTINATION ${destination})
endfunction()

glyph_install_gzipped(${PROJECT_SOURCE_DIR}/cli/glyphorama-convert.1 share/man/man1)
glyph_install_gzipped(${PROJECT_SOURCE_DIR}/cli/ja/glyphorama-convert.1 share/man/ja/man1)
# The window's manual and the AppStream file carry the project's version.
configure_file(${PROJECT_SOURCE_DIR}/resources/glyphorama.1.in
    ${CMAKE_CURRENT_BINARY_DIR}/generated/glyphorama.1 @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/glyphorama.metainfo.xml.in
    ${CMAKE_CURRENT_BINARY_DIR}/generated/glyphorama.metainfo.xml @ONLY)
glyph_install_gzipped(${CMAKE_CURRENT_BINARY_DIR}/generated/glyphorama.1 share/man/man1)
glyph_install_gzipped(${PROJECT_SOURCE_DIR}/packaging/changelog ${glyph_doc_dir})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${glyph_doc_dir})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/generated/glyphorama.metainfo.xml
    DESTINATION share/metainfo RENAME org.glyphorama.Glyphorama.metainfo.xml)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME glyphorama)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Glyphorama developers <developers@glyphorama.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn a picture into kanji text art")
set(CPACK_PACKAGE_DESCRIPTION
    "Glyphorama turns a block of up to 100 x 100 pixels of a picture into text
art, one kanji per pixel, from the densest glyph for black to the lightest
for white. The window adjusts the tone in steps with undo and redo, lets the
block be dragged over a larger picture, and saves the text as a Shift-JIS
file, prints it or copies it. BMP, JPEG, PNG, GIF, WebP and TIFF pictures
open, even very large ones.

The glyphorama-convert command writes the same text art from scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The menu entry names the launcher by its installed path: install into /usr
# itself, staged below DESTDIR.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://glyphorama.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded by Qt, not linked: the window's platform, WebP and TIFF, a Japanese font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-image-formats-plugins, fonts-noto-cjk | fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
