# The Linux desktop, as the top level sets it up: the system's libraries and the build flags only it can choose.
# Included by the top-level CMakeLists.txt before any target exists.

# The device libraries leave their GL and AL calls for each program to resolve; keep every listed shared
# library, whatever its place in the link line.
add_link_options(-Wl,--no-as-needed)

# Debian's hardening of the programs it ships: checked string and memory functions where the compiler knows the
# sizes, and relocations made read-only before the program starts. The sanitizer and fuzzing builds bring
# checks of their own, which the checked functions would stand in the way of.
if(NOT QUARZEL_SANITIZE AND NOT QUARZEL_TSAN AND NOT QUARZEL_FUZZ)
  add_compile_options($<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
  add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()

find_package(glfw3 REQUIRED)
find_package(OpenGL REQUIRED)
find_package(OpenAL REQUIRED)
find_package(X11 REQUIRED)
find_package(Threads REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(STB REQUIRED IMPORTED_TARGET stb)

# The desktop builds the tests, the tools and the benches beside the program, and installs.
set(QUARZEL_PLATFORM_HAS_TESTS ON)

# The program's executable: written at the top of the build tree, beside its data folder.
function(quarzel_finish_program target)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endfunction()
