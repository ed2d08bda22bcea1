# Fuzzing in CTest. The main build uses g++; libFuzzer needs clang. When
# clang++ with its fuzzer runtime is found, the fuzz targets are built with it
# as an external project (fuzz/CMakeLists.txt, in <build>/fuzz-clang) and
# each gets a CTest test "fuzz.<target>" that runs its committed corpus plus
# HX642_FUZZ_SECONDS of new inputs. Without clang (or with -DHX642_FUZZ=OFF)
# each test is skipped with a note saying why.
include(${CMAKE_CURRENT_LIST_DIR}/FuzzTargets.cmake)

option(HX642_FUZZ "Build the fuzz targets with clang and run them in CTest" ON)
set(HX642_FUZZ_SECONDS 4 CACHE STRING "Seconds of new inputs per fuzz target in CTest")

find_program(HX642_FUZZ_CXX NAMES clang++ clang++-14 clang++-15 clang++-16
             DOC "clang++ that builds the fuzz targets")

# Does this clang link a libFuzzer target with the sanitizers? Asked once per compiler.
if(HX642_FUZZ AND HX642_FUZZ_CXX AND NOT HX642_FUZZ_PROBED STREQUAL HX642_FUZZ_CXX)
  set(probe_dir ${CMAKE_BINARY_DIR}/fuzz-probe)
  file(WRITE ${probe_dir}/probe.cpp
       "#include <cstddef>\n#include <cstdint>\n"
       "extern \"C\" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t) { return 0; }\n")
  execute_process(
    COMMAND ${HX642_FUZZ_CXX} -std=c++20 -fsanitize=fuzzer,address,undefined ${probe_dir}/probe.cpp -o ${probe_dir}/probe
    RESULT_VARIABLE probe_result OUTPUT_QUIET ERROR_QUIET)
  if(probe_result EQUAL 0)
    set(works ON)
  else()
    set(works OFF)
  endif()
  set(HX642_FUZZ_WORKS ${works} CACHE INTERNAL "clang++ links libFuzzer targets")
  set(HX642_FUZZ_PROBED ${HX642_FUZZ_CXX} CACHE INTERNAL "the clang++ the probe asked")
endif()

if(HX642_FUZZ AND HX642_FUZZ_CXX AND HX642_FUZZ_WORKS)
  include(ExternalProject)
  set(fuzz_build ${CMAKE_BINARY_DIR}/fuzz-clang)
  set(fuzz_args -DCMAKE_CXX_COMPILER=${HX642_FUZZ_CXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHX642_WERROR=${HX642_WERROR})
  if(CMAKE_CXX_COMPILER_LAUNCHER)
    list(APPEND fuzz_args -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER})
  endif()
  ExternalProject_Add(hx642_fuzzers
    SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}
    BINARY_DIR ${fuzz_build}
    CMAKE_ARGS ${fuzz_args}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON)
  message(STATUS "Fuzz targets: built with ${HX642_FUZZ_CXX} in ${fuzz_build}")
  foreach(name IN LISTS HX642_FUZZ_TARGETS)
    add_test(NAME fuzz.${name}
             COMMAND ${CMAKE_CURRENT_LIST_DIR}/run-fuzz-test.sh ${fuzz_build}/fuzz_${name}
                     ${CMAKE_CURRENT_LIST_DIR}/corpus/${name} ${CMAKE_BINARY_DIR}/fuzz-work/${name}
                     ${HX642_FUZZ_SECONDS})
    set_tests_properties(fuzz.${name} PROPERTIES LABELS fuzz TIMEOUT 120)
  endforeach()
else()
  if(NOT HX642_FUZZ)
    set(why "switched off with -DHX642_FUZZ=OFF")
  else()
    set(why "no clang++ that links -fsanitize=fuzzer (Debian packages clang and libclang-rt-14-dev)")
  endif()
  message(STATUS "Fuzz targets: skipped, ${why}")
  foreach(name IN LISTS HX642_FUZZ_TARGETS)
    add_test(NAME fuzz.${name} COMMAND sh -c "echo 'fuzz.${name} skipped: ${why}'; exit 77")
    set_tests_properties(fuzz.${name} PROPERTIES LABELS fuzz SKIP_RETURN_CODE 77)
  endforeach()
endif()
