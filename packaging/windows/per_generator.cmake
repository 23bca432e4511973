# CPack's settings that differ between the zip and the installer: the installer's file is named for what it does.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "quarzel-${CPACK_PACKAGE_VERSION}-setup")
endif()
