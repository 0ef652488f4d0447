# Common compile settings and the rule that keeps the core portable.

set(ZELVOR_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
    -Wnon-virtual-dtor -Woverloaded-virtual -Werror)
# WORKAROUND: GCC 12 at -O2 and above reports a false -Wrestrict inside
# std::string for "text" + std::to_string(n) (GCC bug 105329), which with
# -Werror breaks every Release build.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  list(APPEND ZELVOR_WARNINGS -Wno-restrict)
endif()

if(ZELVOR_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# zelvor_library(NAME KIND [CORE|BINDING] SOURCES ... DEPS ...)
# A CORE library may depend only on other core libraries; the check below
# rejects Qt, X11 and system headers in its sources at configure time, so a
# slip is caught before anything is compiled.
function(zelvor_library name)
  cmake_parse_arguments(ARG "CORE;BINDING" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${ZELVOR_WARNINGS})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
  if(ARG_CORE)
    set_property(TARGET ${name} PROPERTY ZELVOR_CORE TRUE)
    foreach(src ${ARG_SOURCES})
      get_filename_component(abs ${src} ABSOLUTE)
      get_filename_component(dir ${abs} DIRECTORY)
      file(GLOB headers ${dir}/*.h)
      list(APPEND to_check ${abs} ${headers})
    endforeach()
    list(REMOVE_DUPLICATES to_check)
    foreach(f ${to_check})
      if(NOT EXISTS ${f})
        continue()
      endif()
      file(STRINGS ${f} bad REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]+|X11/|xcb/|sys/|unistd\\.h|fcntl\\.h|netinet/|arpa/|netdb\\.h|poll\\.h|signal\\.h|dirent\\.h|pthread\\.h|spawn\\.h)")
      if(bad)
        message(FATAL_ERROR "${f}: core code may not include toolkit or OS headers (${bad}); put it behind platform/")
      endif()
    endforeach()
    foreach(dep ${ARG_DEPS} ${ARG_PRIVATE_DEPS})
      if(TARGET ${dep})
        get_target_property(is_core ${dep} ZELVOR_CORE)
        if(NOT is_core)
          message(FATAL_ERROR "core library ${name} may not depend on binding ${dep}")
        endif()
      elseif(dep MATCHES "Qt|X11|xcb")
        message(FATAL_ERROR "core library ${name} may not link ${dep}")
      endif()
    endforeach()
  endif()
endfunction()

function(zelvor_executable name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${ZELVOR_WARNINGS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
endfunction()

# zelvor_test(NAME SOURCES ... DEPS ...): one GoogleTest binary, its cases
# registered with CTest one by one.
function(zelvor_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;DEPS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${ZELVOR_WARNINGS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT "${ARG_ENV}")
endfunction()

# zelvor_fuzz_target(NAME SOURCES ... DEPS ... CORPUS dir): a libFuzzer
# target (with ZELVOR_FUZZ, built by clang) and, in every build, a test that
# replays its seed corpus through the same entry point.
if(ZELVOR_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "ZELVOR_FUZZ needs clang: -DCMAKE_CXX_COMPILER=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

function(zelvor_fuzz_target name)
  cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;DEPS" ${ARGN})
  if(ZELVOR_TESTS)
    add_executable(${name}_replay ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
    target_compile_options(${name}_replay PRIVATE ${ZELVOR_WARNINGS})
    target_include_directories(${name}_replay PRIVATE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name}_replay PRIVATE ${ARG_DEPS})
    add_test(NAME fuzz.${name}.replay COMMAND ${name}_replay ${ARG_CORPUS})
    set_tests_properties(fuzz.${name}.replay PROPERTIES TIMEOUT 300)
  endif()
  if(ZELVOR_FUZZ)
    add_executable(${name}_fuzzer ${ARG_SOURCES})
    target_include_directories(${name}_fuzzer PRIVATE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name}_fuzzer PRIVATE ${ARG_DEPS})
    target_link_options(${name}_fuzzer PRIVATE -fsanitize=fuzzer)
  endif()
endfunction()
