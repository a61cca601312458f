# Tests of the framework's platform-neutral core.
quill_add_test(text LIBS quillframework_core)
quill_add_test(property_list LIBS quillframework_core)
