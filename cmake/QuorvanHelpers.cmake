# Warnings every target of ours gets.
function(qv_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  endif()
endfunction()

# qv_add_test(NAME name SOURCES a.cpp ... LIBS lib ... [WIDGETS])
# One QtTest executable registered with CTest. Widget tests run on the
# offscreen platform so that they need no display.
function(qv_add_test)
  cmake_parse_arguments(T "WIDGETS" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS})
  qv_warnings(${T_NAME})
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set(env "QT_QPA_PLATFORM=offscreen;QUORVAN_BIN_DIR=${CMAKE_BINARY_DIR}/bin")
  set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 600)
endfunction()
