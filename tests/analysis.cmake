# Tests of the main analysis window: its layout, Calculate and Load Data.

quill_add_test(number_check SOURCES ${CMAKE_SOURCE_DIR}/analysis/number_check.cpp)
quill_add_test(matrix_display LIBS quillmere_program)

foreach(_window_test IN ITEMS control_wnd calculate load_data)
  quill_add_test(${_window_test} LIBS quillmere_program Qt6::Widgets)
  # The window needs the bound plug-in and its logo beside the test.
  add_dependencies(tst_${_window_test} quillmatrix quillmere_resources)
endforeach()
target_compile_definitions(tst_load_data PRIVATE
  QUILLMERE_EXAMPLES_DIR="${CMAKE_SOURCE_DIR}/resources/examples")
