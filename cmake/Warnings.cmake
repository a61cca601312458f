add_library(quill_warnings INTERFACE)
target_compile_options(quill_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
                                                -Wnon-virtual-dtor -Woverloaded-virtual)
if(QUILLMERE_WERROR)
  target_compile_options(quill_warnings INTERFACE -Werror)
endif()
