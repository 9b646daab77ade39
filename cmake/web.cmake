# The browser build, compiled with Debian's emscripten (scripts/build-web.sh): the same rules,
# drawing and replay libraries, the web platform in shell/web/ instead of SDL's, fixed-function
# OpenGL emulated over WebGL. zlib, libpng and FreeType are found in GLIMMERWAKE_WEB_PREFIX, built
# there for WebAssembly from Debian's source packages by the script.
set(WEB_PREFIX ${GLIMMERWAKE_WEB_PREFIX})
add_library(web_png INTERFACE)
target_include_directories(web_png INTERFACE ${WEB_PREFIX}/include)
target_link_libraries(web_png INTERFACE ${WEB_PREFIX}/lib/libpng16.a ${WEB_PREFIX}/lib/libz.a)
add_library(web_freetype INTERFACE)
target_include_directories(web_freetype INTERFACE ${WEB_PREFIX}/include/freetype2)
target_link_libraries(web_freetype INTERFACE ${WEB_PREFIX}/lib/libfreetype.a)

add_library(glimmerwake_rules STATIC ${GLIMMERWAKE_RULES_SOURCES})
add_library(glimmerwake_render STATIC ${GLIMMERWAKE_RENDER_SOURCES})
target_link_libraries(glimmerwake_render PUBLIC glimmerwake_rules web_png)
# Emscripten's libc++ has no std::to_chars for floats, which the trace writer takes its numbers
# from: shell/web/float_to_chars.h gives it one that writes the very same text.
add_library(glimmerwake_replay STATIC ${GLIMMERWAKE_REPLAY_SOURCES} shell/web/shortest_float.cpp)
set_source_files_properties(replay/trace.cpp PROPERTIES COMPILE_OPTIONS
    "-include;${CMAKE_SOURCE_DIR}/shell/web/float_to_chars.h")
target_link_libraries(glimmerwake_replay PUBLIC glimmerwake_rules)
add_library(glimmerwake_shell_common STATIC ${GLIMMERWAKE_SHELL_COMMON_SOURCES})
target_compile_definitions(glimmerwake_shell_common PRIVATE
    GLIMMERWAKE_VERSION="${PROJECT_VERSION}")
target_link_libraries(glimmerwake_shell_common PUBLIC glimmerwake_replay glimmerwake_render)

# The site: the page, the game's .js, .wasm and .data (the images, the sounds and the font), the
# font's licence. Everything a static web server needs, in one folder.
set(WEB_SITE ${CMAKE_BINARY_DIR}/site)
set(WEB_FONT /usr/share/fonts/truetype/liberation2/LiberationMono-Bold.ttf)
set(WEB_FONT_LICENCE /usr/share/doc/fonts-liberation2/copyright)
add_executable(glimmerwake shell/web/web_main.cpp shell/web/web_platform.cpp
    shell/web/web_gl.cpp shell/web/web_font.cpp shell/web/web_scores.cpp shell/unix/files.cpp)
target_link_libraries(glimmerwake PRIVATE glimmerwake_shell_common web_freetype)
set_target_properties(glimmerwake PROPERTIES SUFFIX .js RUNTIME_OUTPUT_DIRECTORY ${WEB_SITE})
target_link_options(glimmerwake PRIVATE -sLEGACY_GL_EMULATION=1 -sGL_UNSAFE_OPTS=0
    -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=web -sEXPORTED_FUNCTIONS=_main,_malloc,_free
    -sEXPORTED_RUNTIME_METHODS=UTF8ToString
    --js-library ${CMAKE_SOURCE_DIR}/shell/web/web_library.js
    "SHELL:--preload-file ${CMAKE_SOURCE_DIR}/Data@/Data"
    "SHELL:--preload-file ${WEB_FONT}@/fonts/LiberationMono-Bold.ttf")
set_property(TARGET glimmerwake APPEND PROPERTY LINK_DEPENDS
    ${CMAKE_SOURCE_DIR}/shell/web/web_library.js)
foreach(file index.html page.js page.css)
    configure_file(shell/web/${file} ${WEB_SITE}/${file} COPYONLY)
endforeach()
configure_file(${WEB_FONT_LICENCE} ${WEB_SITE}/font-licence.txt COPYONLY)

# The replay tool for node, glimmerwake-replay.js: the native tool's own source over the headless
# platform, with the files of the machine it runs on (NODERAWFS) and no OpenGL. Compiled at
# start-up rather than in the background, so that the trace starts as soon as node does.
add_executable(glimmerwake-replay tools/replay/main.cpp tools/replay/verify_command.cpp
    shell/headless/replay_platform.cpp shell/web/node_services.cpp shell/unix/files.cpp
    shell/unix/rgb_png.cpp)
target_link_libraries(glimmerwake-replay PRIVATE glimmerwake_shell_common)
target_compile_definitions(glimmerwake-replay PRIVATE GLIMMERWAKE_VERSION="${PROJECT_VERSION}")
# The offscreen context's fields stay unused where shots are refused.
set_source_files_properties(shell/web/node_services.cpp PROPERTIES COMPILE_OPTIONS
    -Wno-unused-private-field)
set_target_properties(glimmerwake-replay PROPERTIES SUFFIX .js)
target_link_options(glimmerwake-replay PRIVATE -sENVIRONMENT=node -sNODERAWFS=1 -sEXIT_RUNTIME=1
    -sALLOW_MEMORY_GROWTH=1 -sWASM_ASYNC_COMPILATION=0
    --js-library ${CMAKE_SOURCE_DIR}/shell/web/null_gl.js)
set_property(TARGET glimmerwake-replay APPEND PROPERTY LINK_DEPENDS
    ${CMAKE_SOURCE_DIR}/shell/web/null_gl.js)
