# Help text, artwork and Windows resources.

quill_add_test(help_text SOURCES ${CMAKE_SOURCE_DIR}/infowindows/help_text.cpp)

find_package(Python3 COMPONENTS Interpreter)
if(NOT Python3_Interpreter_FOUND)
  message(STATUS "Python 3 not found: the resource checks are not registered")
  return()
endif()

# The pictures in the tree are what resources/make_artwork.py draws.
add_test(NAME artwork_current
         COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/resources/make_artwork.py --check
                 --out ${CMAKE_SOURCE_DIR}/resources)
set_tests_properties(artwork_current PROPERTIES TIMEOUT 120)

# Compile app/win/quillmere.rc with the MinGW resource compiler and read the
# .res back. windres needs a C preprocessor; the C++ compiler serves, so the
# MinGW gcc is not needed.
find_program(WINDRES x86_64-w64-mingw32-windres)
if(WINDRES)
  set(_res ${CMAKE_CURRENT_BINARY_DIR}/quillmere.res)
  add_custom_command(
    OUTPUT ${_res}
    COMMAND ${WINDRES} --preprocessor=${CMAKE_CXX_COMPILER} --preprocessor-arg=-E
            --preprocessor-arg=-xc --preprocessor-arg=-DRC_INVOKED
            --include-dir=${CMAKE_SOURCE_DIR} -i ${CMAKE_SOURCE_DIR}/app/win/quillmere.rc
            -O res -o ${_res}
    DEPENDS ${CMAKE_SOURCE_DIR}/app/win/quillmere.rc ${CMAKE_SOURCE_DIR}/app/win/quillmere.manifest
            ${CMAKE_SOURCE_DIR}/resources/quillmere.ico
    COMMENT "Compiling the Windows resources"
    VERBATIM)
  add_custom_target(quillmere_windows_res ALL DEPENDS ${_res})
  add_test(NAME windows_resources
           COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/tst_windows_resources.py ${_res})
else()
  message(STATUS "x86_64-w64-mingw32-windres not found: windows_resources is skipped")
  add_test(NAME windows_resources COMMAND ${CMAKE_COMMAND} -E true)
  set_tests_properties(windows_resources PROPERTIES DISABLED TRUE)
endif()
