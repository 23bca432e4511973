# cmake -DSITE=<folder> -DTEMPLATE=<service_worker.js.in> -DVERSION=<x.y.z> -P site_cache.cmake
#
# Writes SITE/service_worker.js from TEMPLATE: the list of every file in SITE (all of them, subfolders too, but
# the worker itself), each with the SHA-256 of its bytes, and a cache name made of VERSION and a hash of that
# list. Any change to any file of the page changes the worker's bytes, which is what makes a browser install the
# new worker and with it the new build. The worker is rewritten on every run, so that its time is never older
# than the files it lists (the build then runs this again only when one of them changes).
foreach(required SITE TEMPLATE VERSION)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "site_cache.cmake: ${required} is not set")
  endif()
endforeach()

file(GLOB_RECURSE names RELATIVE ${SITE} LIST_DIRECTORIES false ${SITE}/*)
list(REMOVE_ITEM names service_worker.js)
list(SORT names)
set(SITE_FILES "")
set(summary "")
foreach(name IN LISTS names)
  if(name MATCHES "[\"\\\\\n]")
    message(FATAL_ERROR "site_cache.cmake: a file name the worker cannot list: ${name}")
  endif()
  file(SHA256 ${SITE}/${name} digest)
  string(APPEND SITE_FILES "  [\"${name}\", \"${digest}\"],\n")
  string(APPEND summary "${name} ${digest}\n")
endforeach()
string(SHA256 build_hash "${summary}")
string(SUBSTRING ${build_hash} 0 16 build_hash)
set(CACHE_NAME "quarzel-${VERSION}-${build_hash}")

file(READ ${TEMPLATE} worker)
string(CONFIGURE "${worker}" worker @ONLY)
file(WRITE ${SITE}/service_worker.js "${worker}")
