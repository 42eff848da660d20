# The browser: the page index.html with its script and WebAssembly, the same
# scene over Emscripten's GL emulation on WebGL, the settings in localStorage.
# Debian's emscripten lacks some of its own optimising passes' helpers, so the
# page is built at -O2 with the HTML minifier off.
target_sources(norwyn_core PRIVATE
    gl/bitmap_source_embedded.cpp
    ${embedded_bitmaps}
    scene/time_source_posix.cpp
    settings/settings_store_web.cpp
)

# Debian's emscripten finds its JavaScript modules in /usr/share/nodejs, where
# Node does not look unless told; the links run its optimiser under Node.
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)

set(web_sources
    gl/gl_window_web.cpp
    shell/main_web.cpp
    shell/saver_run_web.cpp
)
set(web_shell ${CMAKE_SOURCE_DIR}/resources/web/index.html)
# The main loop waits for each animation frame inside Asyncify; the legacy GL
# emulation turns the scene's immediate mode into WebGL.
set(web_link_options
    -sLEGACY_GL_EMULATION=1 -sASYNCIFY=1 -sALLOW_MEMORY_GROWTH=1 -sMINIFY_HTML=0
    -sEXPORTED_RUNTIME_METHODS=allocateUTF8,UTF8ToString
    --shell-file ${web_shell} -lEGL -lGL)

# The page for a web server: index.html, index.js, index.wasm.
add_executable(norwyn ${web_sources})
target_link_libraries(norwyn PRIVATE norwyn_core)
target_link_options(norwyn PRIVATE ${web_link_options})
set_target_properties(norwyn PROPERTIES OUTPUT_NAME index SUFFIX ".html" LINK_DEPENDS ${web_shell})

# The same page as one file, for file://, where a browser fetches no .wasm.
add_executable(norwyn_single_file ${web_sources})
target_link_libraries(norwyn_single_file PRIVATE norwyn_core)
target_link_options(norwyn_single_file PRIVATE ${web_link_options} -sSINGLE_FILE=1)
set_target_properties(norwyn_single_file PROPERTIES OUTPUT_NAME index SUFFIX ".html" LINK_DEPENDS ${web_shell}
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/file)

add_subdirectory(tests/web)
