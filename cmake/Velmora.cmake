# velmora_add_tests(<name> LIBS <libs...> SOURCES <files...>)
# Builds one test executable beside the library it tests and registers its cases with ctest.
# Every test runs with the headless back end, so no display is needed.
function(velmora_add_tests name)
  if(NOT VELMORA_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "LIBS;SOURCES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;VELMORA_TEST_DATA=${CMAKE_SOURCE_DIR}/testdata")
endfunction()
