# One static library per layer folder, made of the sources its CMakeLists
# names. A library publishes only its own folder, through a link under
# build/include/<library>/ that mirrors the folder's place in the tree: a file
# reaches the headers of its own layer and of the libraries it links, so a
# core file that names a window header does not compile. DEPS are the
# libraries whose headers this library's headers use; PRIVATE_DEPS serve its
# sources alone (ALSA for the sound player, say).
function(zentavo_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  if(NOT ARG_SOURCES)
    message(FATAL_ERROR "zentavo_library(${name}): no SOURCES")
  endif()
  add_library(${name} STATIC ${ARG_SOURCES})
  file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set(include_root ${CMAKE_BINARY_DIR}/include/${name})
  cmake_path(GET folder PARENT_PATH parent)
  file(MAKE_DIRECTORY ${include_root}/${parent})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${include_root}/${folder} SYMBOLIC)
  target_include_directories(${name} PUBLIC ${include_root})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

# The Qt headers make most of a window file's compile time: the libraries
# and tests that draw windows parse them once per target.
option(ZENTAVO_PCH "Precompile the Qt headers of the window libraries and their tests" ON)
function(zentavo_precompile_qt target)
  if(ZENTAVO_PCH)
    target_precompile_headers(${target} PRIVATE
      <QApplication> <QComboBox> <QLabel> <QPainter> <QPixmap> <QPushButton> <QString>
      <QTimer> <QWidget> ${ARGN})
  endif()
endfunction()

# One test program per folder of tests/ from the files named in SOURCES
# (relative to that folder), each test case registered with CTest.
function(zentavo_test_folder folder)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;DEPS" ${ARGN})
  list(TRANSFORM ARG_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/)
  string(REPLACE "/" "_" exe "tests_${folder}")
  add_executable(${exe} ${ARG_SOURCES})
  set_target_properties(${exe} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${exe} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock)
  target_compile_definitions(${exe} PRIVATE
    ZENTAVO_SOURCE_DIR="${CMAKE_SOURCE_DIR}" ZENTAVO_BIN_DIR="${ZENTAVO_BIN_DIR}")
  if(ARG_QT)
    target_sources(${exe} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/support/QtTestMain.cpp)
    target_link_libraries(${exe} PRIVATE Qt6::Test)
    zentavo_precompile_qt(${exe} <gtest/gtest.h> <QTest>)
  else()
    target_link_libraries(${exe} PRIVATE GTest::gtest_main)
  endif()
  gtest_discover_tests(${exe}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ZENTAVO_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endfunction()
