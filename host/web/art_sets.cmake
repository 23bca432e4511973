# Splits the data folder for the page (run as a script at build time):
#   cmake -DDATA=<data folder> -DOUT=<work folder> -DSITE=<site folder> -DPACKAGER=<file_packager> -P art_sets.cmake
# The pictures at each art factor go to a package of their own, which the page fetches only when the canvas's size
# calls for that factor (host/web/art_sets.js): SITE/art-F.data holds the files end to end and SITE/art-F.json
# where each lies, for F = 1 (the plain files: "x.png" beside an "x-hd.png"), 2 ("-hd") and 4 ("-hd2").
# Everything else (sounds, the tune, the default font) is copied to OUT/common, which the program's link packs
# into index.data, loaded before the program starts; OUT/common.stamp, which the link depends on, changes only
# when those files do, so an unchanged data folder does not relink the program.
cmake_minimum_required(VERSION 3.21)  # file(COPY_FILE)
file(GLOB_RECURSE files RELATIVE "${DATA}" "${DATA}/*")
foreach(factor 1 2 4)
  file(REMOVE_RECURSE "${OUT}/art-${factor}")
endforeach()
set(kept "")
foreach(file IN LISTS files)
  string(REGEX REPLACE "\\.png$" "-hd.png" sibling "${file}")
  set(set common)
  if(file MATCHES "-hd2\\.png$")
    set(set art-4)
  elseif(file MATCHES "-hd\\.png$")
    set(set art-2)
  elseif(file MATCHES "\\.png$" AND EXISTS "${DATA}/${sibling}")
    set(set art-1)
  endif()
  get_filename_component(folder "${OUT}/${set}/${file}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  file(COPY_FILE "${DATA}/${file}" "${OUT}/${set}/${file}" ONLY_IF_DIFFERENT)
  if(set STREQUAL "common")
    list(APPEND kept "${file}")
  endif()
endforeach()
# A file gone from the data folder leaves the common package too.
file(GLOB_RECURSE common_files RELATIVE "${OUT}/common" "${OUT}/common/*")
foreach(file IN LISTS common_files)
  if(NOT file IN_LIST kept)
    file(REMOVE "${OUT}/common/${file}")
  endif()
endforeach()
set(digest "")
foreach(file IN LISTS kept)
  file(SHA256 "${OUT}/common/${file}" hash)
  string(APPEND digest "${file} ${hash}\n")
endforeach()
set(stamp "${OUT}/common.stamp")
set(before "")
if(EXISTS "${stamp}")
  file(READ "${stamp}" before)
endif()
if(NOT before STREQUAL digest)
  file(WRITE "${stamp}" "${digest}")
endif()

file(MAKE_DIRECTORY "${SITE}")
foreach(factor 1 2 4)
  execute_process(
    COMMAND "${PACKAGER}" "${SITE}/art-${factor}.data" --preload "${OUT}/art-${factor}@/quarzel/data"
            "--js-output=${OUT}/art-${factor}.js" --separate-metadata
    RESULT_VARIABLE failed OUTPUT_QUIET ERROR_VARIABLE said)  # it otherwise repeats advice for its own loader
  if(failed)
    message(FATAL_ERROR "packing the art at factor ${factor} failed: ${said}")
  endif()
  file(COPY_FILE "${OUT}/art-${factor}.js.metadata" "${SITE}/art-${factor}.json")
endforeach()
