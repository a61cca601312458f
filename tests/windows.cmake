# The Windows-only code compiled with the MinGW cross compiler (CI installs
# it); skipped where the compiler is missing.
find_program(MINGW_CXX NAMES x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-g++)
find_program(MINGW_OBJDUMP NAMES x86_64-w64-mingw32-objdump)
if(MINGW_CXX AND MINGW_OBJDUMP)
  add_test(NAME windows_sources
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/check_windows_sources.sh ${MINGW_CXX}
                   ${MINGW_OBJDUMP} ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR}/windows)
else()
  add_test(NAME windows_sources COMMAND ${CMAKE_COMMAND} -E echo "no MinGW compiler")
  set_tests_properties(windows_sources PROPERTIES DISABLED TRUE)
endif()
