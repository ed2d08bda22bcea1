# Helpers that keep every folder's CMakeLists.txt short and alike.

# hx642_logic_library(NAME SOURCES ... [DEPENDS lib ...])
# A static library of standard-library-only logic.
function(hx642_logic_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
endfunction()

# hx642_qt_library(NAME SOURCES ... [DEPENDS lib ...])
# A static library that uses Qt (platform adapters and windows).
function(hx642_qt_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON AUTOUIC OFF)
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
endfunction()

# hx642_test(NAME SOURCES ... [DEPENDS lib ...] [QT])
# A GoogleTest executable registered with CTest. QT turns on moc and runs the
# test with the offscreen platform so that no display is needed.
function(hx642_test name)
  cmake_parse_arguments(ARG "QT" "TIMEOUT" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    HX642_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    HX642_SHARED_DIR="${HX642_SHARED_DIR}"
    HX642_BINARY_DIR="${CMAKE_BINARY_DIR}")
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${ARG_TIMEOUT}
               ENVIRONMENT "QT_QPA_PLATFORM=offscreen;HX642_LOOPBACK_ONLY=1;HX642_BINARY_DIR=${CMAKE_BINARY_DIR}")
endfunction()

# hx642_benchmark(NAME SOURCES ... [DEPENDS lib ...])
function(hx642_benchmark name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} benchmark::benchmark)
endfunction()
