# The benchmark program: the main window's commands at 99 variables, timed
# offscreen. Not a test; `./dev bench` builds it optimised and runs it.
if(QUILLMERE_BENCHMARK)
  find_package(benchmark REQUIRED)
  add_executable(quillmere_benchmark ${CMAKE_CURRENT_LIST_DIR}/benchmark/quillmere_benchmark.cpp)
  target_link_libraries(quillmere_benchmark PRIVATE quillmere_program benchmark::benchmark
                                                    Qt6::Widgets Qt6::Test quill_warnings)
  target_include_directories(quillmere_benchmark PRIVATE ${CMAKE_SOURCE_DIR}
                                                         ${CMAKE_CURRENT_LIST_DIR})
  # The window needs the bound plug-in and its logo beside the program.
  add_dependencies(quillmere_benchmark quillmatrix quillmere_resources)
endif()
