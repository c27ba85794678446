# GoogleTest for both targets, and vl_add_test(name SOURCES ... LIBS ...), which
# builds one test executable and registers it with CTest. In the Windows build
# CTest runs it through the Wine emulator of the toolchain file; either way the
# test passes only when GoogleTest's result file shows the run complete.
enable_testing()

if(WIN32)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
    find_package(GTest REQUIRED)
endif()

set(VL_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)

function(vl_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} vl_test_support GTest::gmock GTest::gtest_main)
    string(REPLACE ";" "|" emulator "${CMAKE_CROSSCOMPILING_EMULATOR}")
    add_test(NAME ${name}
        COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${name}> -DEMULATOR=${emulator}
            -DRESULT=${name}.gtest.xml -P ${PROJECT_SOURCE_DIR}/cmake/run-gtest.cmake)
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "VL_WINEPREFIX=${VL_WINEPREFIX}"
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
