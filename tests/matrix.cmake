quill_add_test(matrix LIBS quillmatrix_binding)
add_dependencies(tst_matrix quillmatrix)

# Broken plug-ins for the binding's failure paths, each in its own folder
# beside the test as libquillmatrix.so / quillmatrix.dll.
foreach(_fault IN ITEMS no_entry_point wrong_abi)
  set(_fake fake_quillmatrix_${_fault})
  add_library(${_fake} MODULE ${CMAKE_CURRENT_LIST_DIR}/../matrix/testing/fake_quillmatrix.cpp)
  target_include_directories(${_fake} PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../matrix/include)
  target_compile_definitions(${_fake} PRIVATE FAKE_QUILLMATRIX_${_fault} QUILLMATRIX_BUILDING_PLUGIN)
  target_link_libraries(${_fake} PRIVATE quill_warnings)
  set_target_properties(${_fake} PROPERTIES
    OUTPUT_NAME quillmatrix
    LIBRARY_OUTPUT_DIRECTORY ${QUILLMERE_OUTPUT_DIR}/fake_plugins/${_fault})
  if(WIN32)
    set_target_properties(${_fake} PROPERTIES PREFIX "")
  endif()
  add_dependencies(tst_matrix ${_fake})
endforeach()

if(QUILLMERE_FUZZ)
  add_subdirectory(fuzz)
endif()
