# minamo_add_tests(<target> <sources>... [LINK <libraries>...])
# A GoogleTest executable of one folder's tests, beside the code they test. Every test may
# use the recording fake (fake/); the tests of the drill and above link the window's
# drivers (drivers/) as well. Widget-free tests run headless all the same.
function(minamo_add_tests target)
    if(NOT GTest_FOUND)
        return()
    endif()
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "LINK")
    add_executable(${target} ${arg_UNPARSED_ARGUMENTS})
    target_link_libraries(${target} PRIVATE ${arg_LINK} minamo_fake GTest::gtest_main)
    target_compile_definitions(${target} PRIVATE MINAMO_BIN_DIR="${CMAKE_BINARY_DIR}/bin"
                                                 MINAMO_BUILD_DIR="${CMAKE_BINARY_DIR}")
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST
                         PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
