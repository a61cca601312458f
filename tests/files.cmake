# Tests of the framework's file pieces: file types, folder items, text input.
quill_add_test(text_input_stream LIBS quillframework_core)
