# Writes OUTPUT, a header defining QUARZEL_LOGIC_REVISION: the first 32 bits of a SHA-256 of the game's and the
# framework's sources, the code whose change can change how a recorded session plays. A replay file carries it,
# so that a replay on another build can warn that it may play differently. The header is rewritten only when the
# value changes, so an unchanged revision rebuilds nothing.
#   cmake -DSOURCE_DIR=<repository> -DOUTPUT=<header> -P logic_revision.cmake
include(${CMAKE_CURRENT_LIST_DIR}/logic_sources.cmake)
list(TRANSFORM QUARZEL_LOGIC_GLOBS PREPEND ${SOURCE_DIR}/ OUTPUT_VARIABLE globs)
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${globs})
list(SORT sources)
set(all "")
foreach(source ${sources})
  file(SHA256 ${SOURCE_DIR}/${source} digest)
  string(APPEND all "${source} ${digest}\n")
endforeach()
string(SHA256 digest "${all}")
string(SUBSTRING ${digest} 0 8 revision)
set(text "// Made by program/logic_revision.cmake: the game logic's revision.\n#define QUARZEL_LOGIC_REVISION 0x${revision}u\n")
if(EXISTS ${OUTPUT})
  file(READ ${OUTPUT} old)
endif()
if(NOT old STREQUAL text)
  file(WRITE ${OUTPUT} "${text}")
endif()
