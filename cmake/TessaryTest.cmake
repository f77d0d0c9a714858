# tessary_add_test(NAME name SOURCES ... LIBS ... [OWN_MAIN]): one GoogleTest executable,
# each of its tests registered with CTest. OWN_MAIN: its sources define main() (to set up the
# process before the tests run) instead of GoogleTest's.
include(GoogleTest)
function(tessary_add_test)
  cmake_parse_arguments(T "OWN_MAIN" "NAME" "SOURCES;LIBS" ${ARGN})
  if(NOT T_SOURCES)
    return()  # a folder whose tests are not written yet
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} test_support GTest::gtest project_warnings)
  if(NOT T_OWN_MAIN)
    target_link_libraries(${T_NAME} PRIVATE GTest::gtest_main)
  endif()
  gtest_discover_tests(${T_NAME} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
