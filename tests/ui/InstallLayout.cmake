# Installs the build tree into a fresh prefix and checks the program's layout.
# Run by ctest: cmake -D BUILD_DIR=... -D PREFIX=... -P InstallLayout.cmake

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

foreach(file
        lib/glyphorama/Glyphorama
        lib/glyphorama/help/readme.html
        lib/glyphorama/help/buttons/undo.png
        bin/glyphorama
        share/applications/glyphorama.desktop
        share/icons/hicolor/16x16/apps/glyphorama.png
        share/icons/hicolor/32x32/apps/glyphorama.png
        share/icons/hicolor/64x64/apps/glyphorama.png
        share/icons/hicolor/128x128/apps/glyphorama.png
        share/icons/hicolor/256x256/apps/glyphorama.png
        share/icons/hicolor/scalable/apps/glyphorama.svg
        share/man/man1/glyphorama.1.gz
        share/man/man1/glyphorama-convert.1.gz
        share/man/ja/man1/glyphorama-convert.1.gz
        share/metainfo/org.glyphorama.Glyphorama.metainfo.xml
        share/doc/glyphorama/copyright)
    if(NOT EXISTS "${PREFIX}/${file}")
        message(SEND_ERROR "not installed: ${file}")
    endif()
endforeach()

# The launcher leads to the program in its folder, where it finds its help.
if(NOT IS_SYMLINK "${PREFIX}/bin/glyphorama")
    message(SEND_ERROR "bin/glyphorama is not a link")
endif()
file(REAL_PATH "${PREFIX}/bin/glyphorama" launched)
file(REAL_PATH "${PREFIX}/lib/glyphorama/Glyphorama" program)
if(NOT launched STREQUAL program)
    message(SEND_ERROR "bin/glyphorama leads to ${launched}, not ${program}")
endif()

# The menu entry starts the launcher by its full path. Read whole: a list of
# lines would split "Categories=Graphics;" at its semicolon.
file(READ "${PREFIX}/share/applications/glyphorama.desktop" entry)
foreach(line
        "[Desktop Entry]"
        "Type=Application"
        "Name=Glyphorama"
        "Name[ja]=Glyphorama"
        "Comment[ja]=画像ファイルからテキストファイルを作成するソフト"
        "Exec=\"${PREFIX}/bin/glyphorama\" %f"
        "Icon=glyphorama"
        "Categories=Graphics;")
    string(FIND "\n${entry}" "\n${line}\n" at)
    if(at EQUAL -1)
        message(SEND_ERROR "desktop entry lacks: ${line}")
    endif()
endforeach()
