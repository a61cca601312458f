# One source for the version: project() in the top CMakeLists.txt. The
# program's version data, the Windows version block and manifest, and the
# Debian package all take it from here through configure_file.

if(PROJECT_VERSION_TWEAK STREQUAL "")
  set(PROJECT_VERSION_TWEAK 0)
endif()
# major.minor.bug.non-release, as the version data and the Windows version
# block count them; the short form is what the program and the package show.
set(QUILLMERE_VERSION_QUAD
    "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.${PROJECT_VERSION_TWEAK}")
set(QUILLMERE_SHORT_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
set(QUILLMERE_PUBLISHER "Quillmere Project")
set(QUILLMERE_NOTICE "Copyright 2024-2026 ${QUILLMERE_PUBLISHER}")

set(QUILLMERE_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/app/version.h.in ${QUILLMERE_GENERATED_DIR}/app/version.h @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/app/win/quillmere.manifest.in
               ${QUILLMERE_GENERATED_DIR}/app/win/quillmere.manifest @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/app/win/quillmere.rc.in
               ${QUILLMERE_GENERATED_DIR}/app/win/quillmere.rc @ONLY)
set(QUILLMERE_RC_FILE ${QUILLMERE_GENERATED_DIR}/app/win/quillmere.rc)
