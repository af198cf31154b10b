# One ctest per GoogleTest suite of a Windows test program: every start of a program under
# Wine costs seconds, so the cases of a suite share one process. Suites are read from the
# sources (TEST, TEST_F, TEST_P), and editing a source configures again.
function(tessaly_add_suite_tests target timeout)
    get_target_property(sources ${target} SOURCES)
    set(suites)
    foreach(source IN LISTS sources)
        if(NOT source MATCHES "\\.cpp$")
            continue()
        endif()
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
        file(STRINGS ${source} lines REGEX "^TEST(_F|_P)?\\([A-Za-z0-9_]+,")
        foreach(line IN LISTS lines)
            string(REGEX REPLACE "^TEST(_F|_P)?\\(([A-Za-z0-9_]+),.*" "\\2" suite "${line}")
            list(APPEND suites ${suite})
        endforeach()
    endforeach()
    list(REMOVE_DUPLICATES suites)
    foreach(suite IN LISTS suites)
        # Parameterised suites are named Prefix/Suite.
        add_test(NAME ${target}.${suite} COMMAND ${target} "--gtest_filter=${suite}.*:*/${suite}.*")
        set_tests_properties(${target}.${suite} PROPERTIES TIMEOUT ${timeout} ${ARGN})
    endforeach()
endfunction()
