# Windows, cross-built with Debian's mingw-w64 compilers (tools/build-windows.sh), as the top level sets it up:
# GLFW and OpenAL Soft from the prefixes tools/windows/deps.sh built, the C++ runtime linked into the program,
# and the data folder a native build generated. Included by the top-level CMakeLists.txt before any target exists.

# The libraries' install prefixes (tools/windows/deps.sh --prefixes), searched like the mingw sysroot.
set(QUARZEL_WINDOWS_PREFIXES "" CACHE STRING "the install prefixes of GLFW and OpenAL Soft for Windows")
list(APPEND CMAKE_FIND_ROOT_PATH ${QUARZEL_WINDOWS_PREFIXES})

# Windows 7 and later (SetThreadStackGuarantee, AttachConsole); the system headers' min and max macros and
# rarely used parts stay out.
add_compile_definitions(_WIN32_WINNT=0x0601 WIN32_LEAN_AND_MEAN NOMINMAX)
# The C library's thread-safe calls of POSIX (localtime_r) that mingw's headers offer only when asked.
add_compile_definitions(_POSIX_THREAD_SAFE_FUNCTIONS)
# The C++ runtime, libgcc and winpthreads inside the program: it needs no DLL but OpenAL's.
add_link_options(-static)

find_package(glfw3 REQUIRED)
find_package(OpenGL REQUIRED)
find_package(OpenAL REQUIRED)
find_package(Threads REQUIRED)
# <AL/al.h>, as on Linux, from OpenAL Soft's prefix; and the DLL the program ships beside it.
cmake_path(GET OPENAL_INCLUDE_DIR PARENT_PATH openal_headers)
include_directories(SYSTEM ${openal_headers})
find_file(QUARZEL_OPENAL_DLL OpenAL32.dll PATH_SUFFIXES bin REQUIRED)

# The unit tests on the fakes are cross-built too and run under wine (tools/windows/run-tests.sh); the tools
# and benches that make or measure the data run natively only (the top level leaves them out of a cross build).
set(QUARZEL_PLATFORM_HAS_TESTS ON)

# The data folder and the program's icon are the ones a native build generated (tools/build-windows.sh passes
# build/data; the icon is beside it).
set(QUARZEL_WINDOWS_DATA "" CACHE PATH "the data folder a native build generated")
if(NOT IS_DIRECTORY "${QUARZEL_WINDOWS_DATA}")
  message(FATAL_ERROR "QUARZEL_WINDOWS_DATA must name a generated data folder (build/data of a native build)")
endif()
cmake_path(GET QUARZEL_WINDOWS_DATA PARENT_PATH native_tree)
set(QUARZEL_ICON_FILE ${native_tree}/quarzel.ico)
set(QUARZEL_DATA_DIR ${QUARZEL_WINDOWS_DATA})

# What --help's last line points a player to: the read-me the zip and the installer carry.
set(QUARZEL_MORE_HELP "README.txt beside quarzel.exe tells more.")

# The zip and the installer (packaging/windows/).
set(QUARZEL_PLATFORM_PACKAGING packaging/windows)
enable_language(RC)

# The build tree's marker: a program that finds it beside itself keeps its saved state in the working directory,
# as the tests expect, instead of %APPDATA% (host/windows/file_system.cpp). Neither the zip nor the installer
# carries it.
file(WRITE ${CMAKE_BINARY_DIR}/quarzel-build-tree.txt
  "This folder is a build tree: the program here keeps its saved state in the working directory.\n")

# The program: quarzel.exe at the top of the build tree, a GUI program (no console window of its own) carrying
# its icon, version and manifest, with the data folder and OpenAL32.dll (stripped: half the size) beside it as
# the zip has them.
function(quarzel_finish_program target)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR} WIN32_EXECUTABLE TRUE)
  configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/quarzel.rc.in ${CMAKE_BINARY_DIR}/quarzel.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/quarzel.rc)
  set_property(SOURCE ${CMAKE_BINARY_DIR}/quarzel.rc APPEND PROPERTY OBJECT_DEPENDS ${QUARZEL_ICON_FILE}
    ${CMAKE_SOURCE_DIR}/packaging/windows/quarzel.exe.manifest)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_STRIP} --strip-unneeded ${QUARZEL_OPENAL_DLL} -o ${CMAKE_BINARY_DIR}/OpenAL32.dll
    COMMAND ${CMAKE_COMMAND} -E create_symlink ${QUARZEL_WINDOWS_DATA} ${CMAKE_BINARY_DIR}/data
    VERBATIM)
endfunction()
