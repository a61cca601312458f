quill_add_test(framework_window LIBS quillframework Qt6::Widgets Qt6::GuiPrivate)
