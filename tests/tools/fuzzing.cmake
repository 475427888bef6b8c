# A fuzz target per pure core. With KARSOBEL_FUZZ (clang's libFuzzer, in the fuzz preset) each
# replays its corpus, then fuzzes for KARSOBEL_FUZZ_SECONDS; in every other build a plain driver
# replays the same corpus, so each build checks the inputs that once failed.
option(KARSOBEL_FUZZ "Build the fuzz targets with libFuzzer (clang) and fuzz as a test" OFF)
set(KARSOBEL_FUZZ_SECONDS 30 CACHE STRING "How long each fuzz target fuzzes in its test")
set(karsobel_fuzz_tools ${CMAKE_CURRENT_LIST_DIR})

# What every fuzz target links, built once: fuzzCheck, and where libFuzzer is not, the driver that
# replays a corpus.
add_library(fuzz_support STATIC ${karsobel_fuzz_tools}/fuzz_check.cpp)
if(NOT KARSOBEL_FUZZ)
    target_sources(fuzz_support PRIVATE ${karsobel_fuzz_tools}/fuzz_replay.cpp)
endif()

# karsobel_add_fuzz_target(NAME SOURCES... LIBRARIES...): the corpus is the seeds that
# tests/tools/fuzz_seeds.py writes for NAME and the inputs kept in fuzz_regressions/NAME beside
# the sources, if any.
function(karsobel_add_fuzz_target name)
    cmake_parse_arguments(PARSE_ARGV 1 fuzz "" "" "SOURCES;LIBRARIES")
    set(seeds ${CMAKE_CURRENT_BINARY_DIR}/${name}_seeds)
    add_custom_command(OUTPUT ${seeds}/seed-00
        COMMAND python3 ${karsobel_fuzz_tools}/fuzz_seeds.py ${name} ${seeds}
        DEPENDS ${karsobel_fuzz_tools}/fuzz_seeds.py ${karsobel_fuzz_tools}/damaged_texts.py
        VERBATIM)
    add_custom_target(${name}_seeds ALL DEPENDS ${seeds}/seed-00)
    set(corpus ${seeds})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_regressions/${name})
        list(APPEND corpus ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_regressions/${name})
    endif()

    set_property(GLOBAL APPEND PROPERTY karsobel_unit_tests ${name})
    add_executable(${name} ${fuzz_SOURCES})
    target_link_libraries(${name} PRIVATE ${fuzz_LIBRARIES} fuzz_support)
    add_dependencies(${name} ${name}_seeds)
    if(KARSOBEL_FUZZ)
        target_link_options(${name} PRIVATE -fsanitize=fuzzer)
        add_test(NAME ${name}_corpus COMMAND ${name} -runs=0 ${corpus})
        # New inputs go to a folder of the build's own; a finding is written beside it, as
        # NAME_finding-..., and fails the test.
        set(grown ${CMAKE_CURRENT_BINARY_DIR}/${name}_grown)
        file(MAKE_DIRECTORY ${grown})
        add_test(NAME ${name}_fuzzing
                 COMMAND ${name} -max_total_time=${KARSOBEL_FUZZ_SECONDS} -timeout=10
                         -rss_limit_mb=2048 -print_final_stats=1
                         -artifact_prefix=${CMAKE_CURRENT_BINARY_DIR}/${name}_finding-
                         ${grown} ${corpus})
        math(EXPR timeout "${KARSOBEL_FUZZ_SECONDS} * 2 + 60")
        set_tests_properties(${name}_fuzzing PROPERTIES LABELS fuzz TIMEOUT ${timeout}
                             DEPENDS ${name}_corpus)
    else()
        add_test(NAME ${name}_corpus COMMAND ${name} ${corpus})
    endif()
    set_tests_properties(${name}_corpus PROPERTIES LABELS unit TIMEOUT 120
                         ${karsobel_in_emulator_prefix})
endfunction()
