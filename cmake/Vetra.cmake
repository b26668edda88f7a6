# Helpers shared by every module's CMakeLists.txt.

# vetra_library(NAME SOURCES ... [LIBS ...])
# A static library whose headers are included from the repository root ("platform/base/text.h").
function(vetra_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  if(ARG_LIBS)
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  endif()
endfunction()

# vetra_tests(NAME SOURCES ... [LIBS ...])
# One GoogleTest program per module; every test case becomes a CTest test. Every test program
# runs headless (see platform/base/testing/test_environment.cpp) against a temporary drive.
function(vetra_tests name)
  if(NOT VETRA_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${CMAKE_SOURCE_DIR}/platform/base/testing/test_environment.cpp)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} vetra_testing GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES TIMEOUT 300)
endfunction()

# vetra_screen_tests(NAME SOURCES ... [LIBS ...] [WINDOW_MANAGER] [IBUS_HANGUL] [TIMEOUT SECONDS])
# Like vetra_tests, but every test case runs on its own Xvfb display (scripts/on-screen), with
# openbox when WINDOW_MANAGER is given, and a private IBus daemon with its Korean engine when
# IBUS_HANGUL is: the SDL back end is driven by real X input (xdotool).
function(vetra_screen_tests name)
  if(NOT VETRA_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "WINDOW_MANAGER;IBUS_HANGUL" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  add_executable(${name} ${ARG_SOURCES} ${CMAKE_SOURCE_DIR}/platform/base/testing/test_environment.cpp)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} vetra_testing GTest::gtest GTest::gmock GTest::gtest_main)
  set(wrapper ${CMAKE_SOURCE_DIR}/scripts/on-screen)
  if(ARG_WINDOW_MANAGER)
    list(APPEND wrapper --wm)
  endif()
  if(ARG_IBUS_HANGUL)
    list(APPEND wrapper --ibus-hangul)
  endif()
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "${wrapper}")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES TIMEOUT ${ARG_TIMEOUT} LABELS screen)
endfunction()

# vetra_benchmark(NAME SOURCES ... [LIBS ...])
function(vetra_benchmark name)
  if(NOT VETRA_BENCH)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main)
endfunction()

# vetra_fuzzer(NAME SOURCES ... [LIBS ...]) — libFuzzer target, built only with clang and VETRA_FUZZ.
function(vetra_fuzzer name)
  if(NOT VETRA_FUZZ OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
endfunction()
