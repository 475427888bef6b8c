# The time every package is stamped with, in seconds since 1970, as reproducible-builds.org has
# it: KARSOBEL_SOURCE_DATE_EPOCH where given, else SOURCE_DATE_EPOCH from the environment, else
# the last commit's date, else (outside a git work tree) the day the version was released.
# Configuring again after each commit keeps it the last commit's.
if(NOT KARSOBEL_SOURCE_DATE_EPOCH)
    if(DEFINED ENV{SOURCE_DATE_EPOCH})
        set(KARSOBEL_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
    else()
        execute_process(COMMAND git -C ${PROJECT_SOURCE_DIR} log -1 --format=%ct
                        OUTPUT_VARIABLE KARSOBEL_SOURCE_DATE_EPOCH
                        OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    endif()
    if(NOT KARSOBEL_SOURCE_DATE_EPOCH)
        execute_process(COMMAND date -u -d ${KARSOBEL_RELEASE_DATE} +%s
                        OUTPUT_VARIABLE KARSOBEL_SOURCE_DATE_EPOCH
                        OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    endif()
endif()
if(NOT KARSOBEL_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH is not a number of seconds: ${KARSOBEL_SOURCE_DATE_EPOCH}")
endif()
execute_process(COMMAND git -C ${PROJECT_SOURCE_DIR} rev-parse --absolute-git-dir
                OUTPUT_VARIABLE git_dir OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(git_dir AND EXISTS ${git_dir}/logs/HEAD)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${git_dir}/logs/HEAD)
endif()
# For the scripts CPack runs while it packs, and for a second build of the same artifacts.
set(CPACK_KARSOBEL_SOURCE_DATE_EPOCH ${KARSOBEL_SOURCE_DATE_EPOCH})
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/source_date_epoch CONTENT "${KARSOBEL_SOURCE_DATE_EPOCH}\n")
