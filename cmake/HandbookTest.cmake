# handbook_test(NAME source... LIBS lib...): one Qt Test executable per suite, run offscreen.
function(handbook_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;HANDBOOK_CONTENT=${PROJECT_SOURCE_DIR}/content;LC_ALL=C.UTF-8"
    TIMEOUT 300)
endfunction()
