# One static library per folder, made of every source in that folder.
# A folder whose sources are not written yet gives an interface library,
# so that the tree builds while its parts grow.
function(zentavo_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(sources)
    add_library(${name} STATIC ${sources} ${headers})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# One test program per folder of tests/, each test case registered with CTest.
function(zentavo_test_folder folder)
  cmake_parse_arguments(ARG "QT" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  string(REPLACE "/" "_" exe "tests_${folder}")
  add_executable(${exe} ${sources})
  set_target_properties(${exe} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${exe} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock)
  target_compile_definitions(${exe} PRIVATE
    ZENTAVO_SOURCE_DIR="${CMAKE_SOURCE_DIR}" ZENTAVO_BIN_DIR="${ZENTAVO_BIN_DIR}")
  if(ARG_QT)
    target_sources(${exe} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/support/QtTestMain.cpp)
    target_link_libraries(${exe} PRIVATE Qt6::Test)
  else()
    target_link_libraries(${exe} PRIVATE GTest::gtest_main)
  endif()
  gtest_discover_tests(${exe}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ZENTAVO_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endfunction()
