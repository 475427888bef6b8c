# Every test carries this run's mark in its environment, and so does whatever it starts, wherever
# that goes; no_process_left, which runs after them, fails if a process with the mark is left.
set(karsobel_test_mark KARSOBEL_TEST_RUN=${PROJECT_BINARY_DIR})
set(karsobel_watched ENVIRONMENT ${karsobel_test_mark} FIXTURES_REQUIRED test_processes)

# Marks the tests of the calling directory, once it has defined them all.
function(karsobel_watch_tests)
    cmake_language(DEFER CALL karsobel_mark_tests)
endfunction()
function(karsobel_mark_tests)
    get_property(tests DIRECTORY PROPERTY TESTS)
    list(REMOVE_ITEM tests no_process_left)
    if(tests)
        set_property(TEST ${tests} APPEND PROPERTY ENVIRONMENT ${karsobel_test_mark})
        set_property(TEST ${tests} APPEND PROPERTY FIXTURES_REQUIRED test_processes)
    endif()
endfunction()

add_test(NAME no_process_left COMMAND ${PROJECT_SOURCE_DIR}/tests/tools/leftover_processes.sh)
set_tests_properties(no_process_left PROPERTIES
    ENVIRONMENT ${karsobel_test_mark} FIXTURES_CLEANUP test_processes TIMEOUT 30)
