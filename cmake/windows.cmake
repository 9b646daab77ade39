# The Windows build, cross-compiled with cmake/mingw-w64.cmake: the same rules, drawing and replay
# tool as on Linux, the Win32 shell in shell/win32/ instead of the SDL one, and everything linked
# statically. libpng is found in GLIMMERWAKE_WINDOWS_PREFIX (scripts/build-windows.sh builds it),
# zlib in the mingw sysroot.
set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED)
find_library(WINDOWS_PNG_LIBRARY NAMES png16 libpng16 REQUIRED)
find_path(WINDOWS_PNG_INCLUDE_DIR png.h PATH_SUFFIXES libpng16 REQUIRED)
add_library(windows_png INTERFACE)
target_include_directories(windows_png INTERFACE ${WINDOWS_PNG_INCLUDE_DIR})
target_link_libraries(windows_png INTERFACE ${WINDOWS_PNG_LIBRARY} ZLIB::ZLIB)

# <windows.h> without its rarely used parts, and without the min and max macros.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX)

add_library(glimmerwake_rules STATIC ${GLIMMERWAKE_RULES_SOURCES})
target_include_directories(glimmerwake_rules PUBLIC ${CMAKE_SOURCE_DIR})
add_library(glimmerwake_render STATIC ${GLIMMERWAKE_RENDER_SOURCES})
target_link_libraries(glimmerwake_render PUBLIC glimmerwake_rules windows_png glu32 opengl32)
add_library(glimmerwake_replay STATIC ${GLIMMERWAKE_REPLAY_SOURCES})
target_link_libraries(glimmerwake_replay PUBLIC glimmerwake_rules)

# Image file reading and the GDI fonts, shared by every Windows program.
add_library(glimmerwake_win32_services OBJECT shell/win32/files.cpp shell/win32/wgl_font_bitmaps.cpp)
target_include_directories(glimmerwake_win32_services PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(glimmerwake_win32_services PUBLIC opengl32 gdi32)

# The icon, the version information and the manifest, compiled by windres. The version is the
# project's; the manifest's has four parts.
enable_language(RC)
set(GLIMMERWAKE_VERSION_QUAD "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
set(GLIMMERWAKE_MANIFEST ${CMAKE_BINARY_DIR}/glimmerwake.manifest)
configure_file(shell/win32/glimmerwake.manifest.in ${GLIMMERWAKE_MANIFEST} @ONLY)
configure_file(shell/win32/glimmerwake.rc.in ${CMAKE_BINARY_DIR}/glimmerwake.rc @ONLY)

# What every platform shares: the frame function, the command line, the recorder, the high scores
# and the settings, the sound mixer and its music. The recorder is the Linux game's own, given the
# C runtime's names for its few POSIX calls.
add_library(glimmerwake_shell_common STATIC ${GLIMMERWAKE_SHELL_COMMON_SOURCES})
target_compile_definitions(glimmerwake_shell_common PRIVATE
    GLIMMERWAKE_VERSION="${PROJECT_VERSION}")
set_source_files_properties(shell/common/recorder.cpp PROPERTIES COMPILE_OPTIONS
    "-include;${CMAKE_SOURCE_DIR}/shell/win32/posix_calls.h;-Wno-unused-variable")
target_link_libraries(glimmerwake_shell_common PUBLIC glimmerwake_replay glimmerwake_render)

# The player's data folder (%APPDATA%\Glimmerwake\) and its files.
add_library(glimmerwake_win32_data OBJECT shell/win32/user_data.cpp shell/win32/data_files.cpp)
target_include_directories(glimmerwake_win32_data PUBLIC ${CMAKE_SOURCE_DIR})

add_executable(glimmerwake WIN32 ${CMAKE_BINARY_DIR}/glimmerwake.rc shell/win32/win_main.cpp
    shell/win32/game_window.cpp shell/win32/platform.cpp shell/win32/key_state.cpp
    shell/win32/console.cpp shell/win32/session_host.cpp shell/win32/xinput_pads.cpp
    shell/win32/frame_clock.cpp shell/win32/win32_sound.cpp shell/win32/rgb_png.cpp
    shell/common/session.cpp shell/common/watcher.cpp)
target_link_libraries(glimmerwake PRIVATE glimmerwake_shell_common glimmerwake_win32_data
    glimmerwake_win32_services user32 gdi32 winmm shell32 ole32)

add_executable(glimmerwake-replay tools/replay/main.cpp tools/replay/verify_command.cpp
    shell/common/music_cues.cpp shell/common/music_score.cpp shell/headless/replay_platform.cpp
    shell/win32/offscreen_context.cpp shell/win32/binary_stdout.cpp shell/win32/rgb_png.cpp)
target_link_libraries(glimmerwake-replay PRIVATE glimmerwake_render glimmerwake_replay
    glimmerwake_win32_services)

# The frame clock under Wine or on Windows: the period it keeps and what its wait costs.
if(GLIMMERWAKE_BENCH)
    add_executable(glimmerwake_frame_clock_wine bench/windows/frame_clock_wine.cpp
        shell/win32/frame_clock.cpp)
    target_include_directories(glimmerwake_frame_clock_wine PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(glimmerwake_frame_clock_wine PRIVATE winmm)
endif()

if(GLIMMERWAKE_TESTS)
    enable_testing()
    add_subdirectory(tests/windows)
endif()
