# The information windows, the shared menu bar and the main window's commands,
# through the real widgets.
quill_add_test(about_wnd LIBS quillmere_program Qt6::Widgets)
quill_add_test(description_wnd LIBS quillmere_program Qt6::Widgets)
quill_add_test(main_commands LIBS quillmere_program Qt6::Widgets)
quill_add_test(menu LIBS quillmere_program Qt6::Widgets)
# The shipped example file, for the whole-session test.
target_compile_definitions(tst_main_commands
                           PRIVATE QUILLMERE_EXAMPLES_DIR="${CMAKE_SOURCE_DIR}/resources/examples")
foreach(_test IN ITEMS about_wnd description_wnd main_commands menu)
  add_dependencies(tst_${_test} quillmatrix quillmere_resources)
endforeach()
