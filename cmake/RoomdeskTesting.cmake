include(GoogleTest)

# roomdesk_add_test(<name> LIBS <libraries>... SOURCES <sources>...): one
# GoogleTest executable whose cases CTest discovers one by one.
function(roomdesk_add_test name)
  cmake_parse_arguments(ARG "" "" "LIBS;SOURCES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30)
endfunction()
