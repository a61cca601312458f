# Bad files and bad pasted text through the real main window.
quill_add_test(bad_input LIBS quillmere_program Qt6::Widgets)
# The window needs the bound plug-in and its logo beside the test.
add_dependencies(tst_bad_input quillmatrix quillmere_resources)
