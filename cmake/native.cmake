# Native build: the portable core and its unit tests, with sanitizers.
if(KALMO_FUZZ)
  file(GLOB FUZZ_SRC CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*.cpp)
  foreach(src ${FUZZ_SRC})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${name} PRIVATE installer_core kalmo_core platform_memory)
  endforeach()
  return()
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

file(GLOB NATIVE_TEST_SRC CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
add_executable(native_tests ${NATIVE_TEST_SRC})
target_link_libraries(native_tests PRIVATE installer_core kalmo_core platform_memory GTest::gtest_main GTest::gmock)
gtest_discover_tests(native_tests DISCOVERY_TIMEOUT 60)

# Every fuzz target also runs over its seed corpus (tests/fuzz/corpus/<target>) as a test, so an
# input that once broke a reader stays fixed.
file(GLOB FUZZ_SRC CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*.cpp)
foreach(src ${FUZZ_SRC})
  get_filename_component(name ${src} NAME_WE)
  add_executable(replay_${name} ${src} ${CMAKE_SOURCE_DIR}/tests/fuzz/replay/ReplayMain.cpp)
  target_link_libraries(replay_${name} PRIVATE installer_core kalmo_core platform_memory)
  add_test(NAME Corpus.${name} COMMAND replay_${name} ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name})
endforeach()

if(KALMO_BENCH)
  find_package(benchmark REQUIRED)
  file(GLOB BENCH_SRC CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
  add_executable(kalmo_bench ${BENCH_SRC})
  target_link_libraries(kalmo_bench PRIVATE installer_core kalmo_core platform_memory benchmark::benchmark_main)
endif()
