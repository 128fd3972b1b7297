# One static library per area. Sources are found by glob so that adding a file needs no
# edit here; CONFIGURE_DEPENDS repeats the glob at build time.
function(bg_area name dir)
  cmake_parse_arguments(A "QT" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/src/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/src/${dir}/*.h
       ${CMAKE_SOURCE_DIR}/src/${dir}/*.ui ${CMAKE_SOURCE_DIR}/src/${dir}/*.qrc)
  list(FILTER srcs INCLUDE REGEX "\\.cpp$|\\.h$|\\.ui$|\\.qrc$")
  set(cpps ${srcs})
  list(FILTER cpps INCLUDE REGEX "\\.cpp$")
  if(NOT cpps)
    add_library(bg_${name} INTERFACE)
    target_include_directories(bg_${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(bg_${name} INTERFACE ${A_DEPS})
    return()
  endif()
  add_library(bg_${name} STATIC ${srcs})
  target_include_directories(bg_${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_compile_options(bg_${name} PRIVATE ${BG_WARNINGS})
  target_link_libraries(bg_${name} PUBLIC ${A_DEPS})
  if(A_QT)
    set_target_properties(bg_${name} PROPERTIES AUTOMOC ON AUTOUIC ON AUTORCC ON)
  endif()
endfunction()

# One test program per area, mirroring src/, registered with CTest test by test.
function(bg_area_tests name dir)
  cmake_parse_arguments(A "QT" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/tests/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/tests/${dir}/*.h)
  set(cpps ${srcs})
  list(FILTER cpps INCLUDE REGEX "\\.cpp$")
  if(NOT cpps)
    return()
  endif()
  add_executable(test_${name} ${srcs})
  target_include_directories(test_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src)
  target_compile_options(test_${name} PRIVATE ${BG_WARNINGS})
  # The source tree's place for tests that read shipped files (__FILE__ may be relative).
  target_compile_definitions(test_${name} PRIVATE BG_SOURCE_ROOT="${CMAKE_SOURCE_DIR}")
  if(A_QT)
    # Qt tests run under a QApplication made by our own main.
    target_link_libraries(test_${name} PRIVATE ${A_DEPS} bg_qt_test_main GTest::gtest GTest::gmock)
  else()
    target_link_libraries(test_${name} PRIVATE ${A_DEPS} bg_test_main GTest::gtest GTest::gmock)
  endif()
  set_target_properties(test_${name} PROPERTIES AUTOMOC ON)
  # Each test's own time limit (tests/support/test_time_limit.cpp, 300 s) ends a test that
  # makes no progress and names it; CTest's limits stay above it, with the whole program's
  # run before the hung test, so that the name is printed before CTest kills anything.
  gtest_discover_tests(test_${name} DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST
                       PROPERTIES TIMEOUT 600 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  # The whole program once more in one process, shuffled (gtest prints the seed): state
  # left behind by one test then fails another.
  add_test(NAME ${name}.AllTestsShuffled COMMAND test_${name} --gtest_shuffle)
  set_tests_properties(${name}.AllTestsShuffled PROPERTIES TIMEOUT 1800 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
