# kv2gxb_library(NAME DIR <folder> [DEPS ...] [PUBLIC_DEPS ...])
# One static library per source folder; its sources are every .cpp directly
# in the folder, so adding a file needs no edit here.
function(kv2gxb_library name)
  cmake_parse_arguments(ARG "" "DIR" "DEPS" ${ARGN})
  if(NOT ARG_DIR)
    set(ARG_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  file(GLOB _srcs CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp)
  if(_srcs)
    add_library(${name} STATIC ${_srcs})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    # A folder without sources yet still gives its dependants the include path.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# kv2gxb_tests(LABEL [DIR <folder>] [DEPS ...])
# One test executable per tests/ folder, every .cpp in it; each test case is
# one CTest test carrying the folder's label.
function(kv2gxb_tests label)
  cmake_parse_arguments(ARG "" "DIR" "DEPS" ${ARGN})
  if(NOT ARG_DIR)
    set(ARG_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  file(GLOB _srcs CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp)
  if(NOT _srcs)
    return()
  endif()
  set(_exe test_${label})
  add_executable(${_exe} ${_srcs})
  set_target_properties(${_exe} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_include_directories(${_exe} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${_exe} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${_exe} PRIVATE
    KV2GXB_BUILD_DIR="${CMAKE_BINARY_DIR}"
    KV2GXB_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    KV2GXB_ARTIFACTS_DIR="${KV2GXB_ARTIFACTS_DIR}")
  # A test that waits forever on a broken answer fails after five minutes
  # instead of holding CI up to its limit.
  gtest_discover_tests(${_exe}
    PROPERTIES LABELS ${label} TIMEOUT 300
    DISCOVERY_TIMEOUT 60)
endfunction()

# kv2gxb_qt_tests(NAME LABEL [OWN_MAIN] [DEPS ...])
# Tests of the Qt backend: their own executable, run offscreen, only when the
# Qt backend is built. The shared main starts Qt before the tests; OWN_MAIN
# is for tests that start it themselves.
function(kv2gxb_qt_tests name label)
  cmake_parse_arguments(ARG "OWN_MAIN" "" "DEPS" ${ARGN})
  if(NOT KV2GXB_HAVE_QT)
    return()
  endif()
  find_package(Qt6 COMPONENTS Test REQUIRED)
  file(GLOB _srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT ARG_OWN_MAIN)
    list(APPEND _srcs ${PROJECT_SOURCE_DIR}/tests/qt_test_main.cpp)
  endif()
  add_executable(${name} ${_srcs})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} platform_qt Qt6::Test GTest::gtest)
  target_compile_definitions(${name} PRIVATE
    KV2GXB_BUILD_DIR="${CMAKE_BINARY_DIR}"
    KV2GXB_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    KV2GXB_ARTIFACTS_DIR="${KV2GXB_ARTIFACTS_DIR}")
  gtest_discover_tests(${name}
    PROPERTIES LABELS ${label} ENVIRONMENT QT_QPA_PLATFORM=offscreen TIMEOUT 300
    DISCOVERY_TIMEOUT 60)
endfunction()

# kv2gxb_fuzz_target(NAME [DEPS ...])
# The fuzz target tests/fuzz/NAME_fuzz.cpp (it defines LLVMFuzzerTestOneInput)
# with its seed corpus tests/fuzz/corpus/NAME/. With KV2GXB_FUZZ (clang) it
# links libFuzzer; otherwise it links a replay main. Either way the CTest case
# fuzz.NAME (label fuzz) runs it once over every corpus entry.
function(kv2gxb_fuzz_target name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  set(_exe fuzz_${name})
  set(_corpus ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name})
  add_executable(${_exe} ${CMAKE_CURRENT_SOURCE_DIR}/${name}_fuzz.cpp)
  set_target_properties(${_exe} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  target_include_directories(${_exe} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${_exe} PRIVATE ${ARG_DEPS})
  add_dependencies(fuzz_targets ${_exe})
  if(KV2GXB_FUZZ)
    target_link_options(${_exe} PRIVATE -fsanitize=fuzzer)
    add_test(NAME fuzz.${name} COMMAND ${_exe} -runs=0 ${_corpus})
  else()
    target_sources(${_exe} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_replay_main.cpp)
    add_test(NAME fuzz.${name} COMMAND ${_exe} ${_corpus})
  endif()
  set_tests_properties(fuzz.${name} PROPERTIES LABELS fuzz)
endfunction()
