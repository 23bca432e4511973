# The web page, as the top level sets it up: the project built with the WebAssembly toolchain (tools/build-web.sh),
# with the toolchain's GLFW, WebGL and OpenAL, and exceptions as WebAssembly's own. Included by the top-level
# CMakeLists.txt before any target exists.
add_compile_options(-fwasm-exceptions)
add_link_options(-fwasm-exceptions -sUSE_GLFW=3)

# The page is the program alone: no tests, tools or benches beside it (those run natively), but for the replay
# corpus's runner, built only when asked for (replay_corpus_runner), which plays the corpus under Node.js so that
# tools/check.sh can check this build plays every session as the native builds do (added at the end of this file).
set(QUARZEL_PLATFORM_HAS_TESTS OFF)

# The data folder is the one a native build generated (tools/build-web.sh passes build/data as QUARZEL_WEB_DATA);
# the page mounts it at /quarzel/data, where the page's platform file looks for it (platform.cpp).
set(QUARZEL_WEB_DATA "" CACHE PATH "the data folder a native build generated")
set(QUARZEL_WEB_ICON "${QUARZEL_WEB_DATA}/../icons/hicolor/64x64/apps/quarzel.png" CACHE FILEPATH "the page's icon")
if(NOT IS_DIRECTORY "${QUARZEL_WEB_DATA}")
  message(FATAL_ERROR "QUARZEL_WEB_DATA must name a generated data folder (build/data of a native build)")
endif()

# The data folder split for the page (art_sets.cmake): the art of each factor in a package of its own in site/,
# fetched when the canvas's size calls for it (art_sets.js); the rest in the program's own package, index.data.
find_program(QUARZEL_FILE_PACKAGER file_packager HINTS "${EMSCRIPTEN_ROOT_PATH}/tools" /usr/share/emscripten/tools
  REQUIRED)
set(QUARZEL_WEB_COMMON ${CMAKE_BINARY_DIR}/art_sets/common)
add_custom_target(quarzel_art_sets
  COMMAND ${CMAKE_COMMAND} -DDATA=${QUARZEL_WEB_DATA} -DOUT=${CMAKE_BINARY_DIR}/art_sets
          -DSITE=${CMAKE_BINARY_DIR}/site -DPACKAGER=${QUARZEL_FILE_PACKAGER}
          -P ${CMAKE_SOURCE_DIR}/host/web/art_sets.cmake
  BYPRODUCTS ${QUARZEL_WEB_COMMON}.stamp
  COMMENT "Packing the art sets")

# The program as the page: site/index.html with its script, its WebAssembly and its data packages, servable by
# any static web server.
function(quarzel_finish_program target)
  set(shell ${CMAKE_SOURCE_DIR}/host/web/shell.html)
  set(saved_state ${CMAKE_SOURCE_DIR}/host/web/saved_state.js)
  set(art_sets ${CMAKE_SOURCE_DIR}/host/web/art_sets.js)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME index SUFFIX .html
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/site
    LINK_DEPENDS "${shell};${saved_state};${art_sets};${QUARZEL_WEB_COMMON}.stamp")
  add_dependencies(${target} quarzel_art_sets)
  # "SHELL:" keeps both --pre-js options: CMake would drop the second as a repeated flag.
  target_link_options(${target} PRIVATE
    --shell-file ${shell}
    -sMINIFY_HTML=0                   # the toolchain's HTML minifier fails in this version
    --preload-file ${QUARZEL_WEB_COMMON}@/quarzel/data
    "SHELL:--pre-js ${art_sets}"      # the art of the canvas's factor, before the program starts and on resizes
    -lidbfs.js                        # the saved state in the browser's IndexedDB
    "SHELL:--pre-js ${saved_state}"   # ... and a copy in localStorage that a closing tab cannot cut off
    -lopenal                          # OpenAL over Web Audio
    -sLEGACY_GL_EMULATION=1           # the renderer's client arrays and matrices on WebGL
    -sEXIT_RUNTIME=1                  # the end of the program reaches the page (Module.onExit)
    -sALLOW_MEMORY_GROWTH=1
    -sINITIAL_MEMORY=64MB
    --profiling-funcs)                # a crash on the page names the functions it happened in
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy ${QUARZEL_WEB_ICON} ${CMAKE_BINARY_DIR}/site/icon.png)
  quarzel_offline_site(${target})
endfunction()

# The page installed and offline: the app manifest with its two icons, and the service worker that keeps every
# file of site/ (whatever the link and the art packages put there) in a cache named after the version and a hash
# of the files. Runs after the link on every build: hashing the whole site costs well under a second.
function(quarzel_offline_site target)
  set(site ${CMAKE_BINARY_DIR}/site)
  set(web ${CMAKE_SOURCE_DIR}/host/web)
  set(icons ${QUARZEL_WEB_DATA}/../icons/hicolor)
  # A target that runs on every build: the art packages are written beside the program without relinking it,
  # and a list older than any file of the site would make the worker refuse to install.
  add_custom_target(${target}_offline_site ALL
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${web}/manifest.webmanifest ${site}/manifest.webmanifest
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${icons}/192x192/apps/quarzel.png ${site}/icon-192.png
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${icons}/512x512/apps/quarzel.png ${site}/icon-512.png
    COMMAND ${CMAKE_COMMAND} -DSITE=${site} -DTEMPLATE=${web}/service_worker.js.in
            -DVERSION=${PROJECT_VERSION} -P ${web}/site_cache.cmake
    BYPRODUCTS ${site}/service_worker.js
    COMMENT "Listing the page's files for its service worker"
    VERBATIM)
  add_dependencies(${target}_offline_site ${target} quarzel_art_sets)
endfunction()

# Added here because the top level leaves before its tests on this platform; the libraries it links come later.
add_subdirectory(${CMAKE_SOURCE_DIR}/tests/replay ${CMAKE_BINARY_DIR}/tests/replay)
