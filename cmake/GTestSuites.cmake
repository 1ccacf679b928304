# One CTest test per GoogleTest suite of a test program: <group>.<Suite> runs the program with
# --gtest_filter=<Suite>.*, so the program (and its QApplication) starts once a suite rather than once
# a test case. The suites are read from the program with --gtest_list_tests when CTest starts, after
# the build (as gtest_discover_tests' PRE_TEST mode does), and kept until the program changes.
#
# Included in two ways:
#  - from CMake: kelvaro_add_gtest_suites(<target> <group> PROPERTIES <test properties...>) adds the
#    script below to the tests of the current folder;
#  - from CTest, with KELVARO_SUITES_PROGRAM set: reads (or re-reads) the suites and adds the tests.

if(NOT KELVARO_SUITES_PROGRAM)
    set(KELVARO_GTEST_SUITES_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

    function(kelvaro_add_gtest_suites target group)
        cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "PROPERTIES")
        set(base ${CMAKE_CURRENT_BINARY_DIR}/${target}_suites)
        # Bracket arguments keep the values as they are (an environment entry holds '=' and may hold
        # quotes); a list separator in a value is not supported.
        string(CONCAT content
            "set(KELVARO_SUITES_PROGRAM [==[$<TARGET_FILE:${target}>]==])\n"
            "set(KELVARO_SUITES_GROUP [==[${group}]==])\n"
            "set(KELVARO_SUITES_LIST [==[${base}_list.cmake]==])\n"
            "set(KELVARO_SUITES_PROPERTIES [==[${arg_PROPERTIES}]==])\n"
            "include([==[${KELVARO_GTEST_SUITES_SCRIPT}]==])\n")
        file(GENERATE OUTPUT ${base}_include.cmake CONTENT "${content}")
        set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${base}_include.cmake)
    endfunction()
    return()
endif()

if(NOT EXISTS "${KELVARO_SUITES_PROGRAM}")
    # Not built: a test that cannot start, so the run reports it instead of leaving the suites out.
    add_test("${KELVARO_SUITES_GROUP}.NOT_BUILT" "${KELVARO_SUITES_PROGRAM}")
    return()
endif()

if(NOT EXISTS "${KELVARO_SUITES_LIST}" OR "${KELVARO_SUITES_PROGRAM}" IS_NEWER_THAN "${KELVARO_SUITES_LIST}")
    execute_process(COMMAND "${KELVARO_SUITES_PROGRAM}" --gtest_list_tests
                    OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE result TIMEOUT 60)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${KELVARO_SUITES_PROGRAM} --gtest_list_tests failed (${result}):\n${output}${errors}")
    endif()
    # A suite's line is its name and a dot (a typed suite's followed by "# TypeParam = ..."); the
    # cases below it are indented.
    # Only suite names matter here: what a case's parameter prints may hold a list separator or a
    # bracket, which would join lines in a CMake list, so both go first.
    set(suites "")
    string(REGEX REPLACE "[][;]" "_" lines "${output}")
    string(REPLACE "\n" ";" lines "${lines}")
    foreach(line IN LISTS lines)
        if(line MATCHES "^([^ #]+)\\.( +#.*)?$")
            list(APPEND suites "${CMAKE_MATCH_1}")
        elseif(line MATCHES "^[^ ]")
            # Rather no test run at all than a suite left out unnoticed.
            message(FATAL_ERROR "${KELVARO_SUITES_PROGRAM} --gtest_list_tests: not a suite: ${line}")
        endif()
    endforeach()
    if(NOT suites)
        message(FATAL_ERROR "${KELVARO_SUITES_PROGRAM} lists no test suite:\n${output}${errors}")
    endif()
    file(WRITE "${KELVARO_SUITES_LIST}" "set(suites [==[${suites}]==])\n")
endif()

include("${KELVARO_SUITES_LIST}")
foreach(suite IN LISTS suites)
    set(name "${KELVARO_SUITES_GROUP}.${suite}")
    add_test("${name}" "${KELVARO_SUITES_PROGRAM}" "--gtest_filter=${suite}.*")
    set_tests_properties("${name}" PROPERTIES ${KELVARO_SUITES_PROPERTIES})
endforeach()
