add_library(quill_warnings INTERFACE)
target_compile_options(quill_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
                                                -Wnon-virtual-dtor -Woverloaded-virtual
                                                -Wconversion -Wold-style-cast)
# clang's -Wconversion also warns of every change of signedness, which GCC's
# leaves out; the same code must build warning-free with both.
target_compile_options(quill_warnings INTERFACE $<$<CXX_COMPILER_ID:Clang>:-Wno-sign-conversion>)
if(QUILLMERE_WERROR)
  target_compile_options(quill_warnings INTERFACE -Werror)
endif()
