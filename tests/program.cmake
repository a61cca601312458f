# The built program as a real process, driven by a generic Qt plug-in that
# presses keys and closes windows as a user would; ctest checks the exit
# status.
if(TARGET quillmere)
  add_library(quillmere_driver MODULE driver/driver_plugin.cpp)
  set_target_properties(quillmere_driver PROPERTIES AUTOMOC ON
    LIBRARY_OUTPUT_DIRECTORY ${QUILLMERE_OUTPUT_DIR}/testplugins/generic)
  target_link_libraries(quillmere_driver PRIVATE Qt6::Widgets Qt6::Test)

  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(_run ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/run_program.py
      $<TARGET_FILE:quillmere> ${QUILLMERE_OUTPUT_DIR}/testplugins)
  foreach(_scenario quit-shortcut close-box file-close)
    add_test(NAME program_exit_${_scenario} COMMAND ${_run} ${_scenario} 0)
  endforeach()

  # Without its plug-in the program reports the missing library and ends
  # with a failure status, before any window opens.
  set(_bare ${CMAKE_CURRENT_BINARY_DIR}/no_plugin)
  add_custom_target(quillmere_without_plugin ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_bare}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:quillmere> $<TARGET_FILE:quillframework> ${_bare}
    DEPENDS quillmere quillframework)
  add_test(NAME program_missing_plugin
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/run_program.py
                   ${_bare}/quillmere ${QUILLMERE_OUTPUT_DIR}/testplugins report 1 libquillmatrix)
endif()

quill_add_test(startup LIBS quillmere_program Qt6::Widgets)
add_dependencies(tst_startup quillmatrix quillmere_resources)
