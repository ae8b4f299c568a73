# Helpers shared by the subsystem folders.

# GoogleTest (native: Debian's package; Windows: built from Debian's sources with the cross compiler) and,
# natively, Google Benchmark.
macro(qor_find_test_frameworks)
  if(WIN32)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
  else()
    find_package(GTest REQUIRED)
    find_package(benchmark QUIET)
  endif()
  include(GoogleTest)
endmacro()

# qor_subsystem(<name>): <name>_core from the folder's portable .cpp files, and on Windows <name>_win from win/*.cpp
# linking the core. Extra link libraries: CORE_LIBS / WIN_LIBS.
function(qor_subsystem name)
  cmake_parse_arguments(ARG "" "" "CORE_LIBS;WIN_LIBS" ${ARGN})
  file(GLOB core_sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  if(core_sources)
    add_library(${name}_core STATIC ${core_sources})
  else()
    add_library(${name}_core INTERFACE)
  endif()
  get_target_property(core_type ${name}_core TYPE)
  if(core_type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${name}_core INTERFACE "${CMAKE_SOURCE_DIR}")
    target_link_libraries(${name}_core INTERFACE ${ARG_CORE_LIBS})
  else()
    target_include_directories(${name}_core PUBLIC "${CMAKE_SOURCE_DIR}")
    target_link_libraries(${name}_core PUBLIC ${ARG_CORE_LIBS})
  endif()
  if(WIN32)
    file(GLOB win_sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/win/*.cpp")
    if(win_sources)
      add_library(${name}_win STATIC ${win_sources})
      target_link_libraries(${name}_win PUBLIC ${name}_core ${ARG_WIN_LIBS})
    endif()
  endif()
endfunction()

# qor_unit_tests(<name> [WIN]): one test program from the folder's *.cpp files (tests/unit/<folder>), registered
# with CTest; under the Windows preset the same program runs through Wine. WIN marks tests that need real windows;
# LOCK <resource> keeps its tests from running at the same time as others holding that resource.
function(qor_unit_tests name)
  cmake_parse_arguments(ARG "WIN" "LOCK" "LIBS;SOURCES" ${ARGN})
  if(ARG_SOURCES)
    set(sources ${ARG_SOURCES})
  else()
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  endif()
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  target_include_directories(${name} PRIVATE "${CMAKE_SOURCE_DIR}")
  if(ARG_WIN)
    set(label "win")
  else()
    set(label "unit")
  endif()
  # LOCK names a shared resource (the clipboard) whose tests must not run at the same time.
  set(lock)
  if(ARG_LOCK)
    set(lock RESOURCE_LOCK ${ARG_LOCK})
  endif()
  if(CMAKE_CROSSCOMPILING)
    # Under Wine each program is one test. Listing its tests would run Wine while CTest reads its test files,
    # and one listing that fails there stops CTest before any test runs, with no test named.
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES LABELS ${label} TIMEOUT 900 ${lock})
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                         PROPERTIES LABELS ${label} TIMEOUT 120 ${lock})
  endif()
endfunction()

# qor_benchmark(<name> SOURCES ... LIBS ...): a native Google Benchmark program (skipped when not found).
function(qor_benchmark name)
  cmake_parse_arguments(ARG "" "" "LIBS;SOURCES" ${ARGN})
  if(WIN32 OR NOT TARGET benchmark::benchmark)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark_main)
  target_include_directories(${name} PRIVATE "${CMAKE_SOURCE_DIR}")
endfunction()

# Puts a program or library of the shipped set into dist/.
function(qor_ship target)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${QOR_DIST_DIR}"
                                             LIBRARY_OUTPUT_DIRECTORY "${QOR_DIST_DIR}"
                                             PREFIX "")
endfunction()
