# Run by CPack once it has made its packages: writes each zip again without its builder's user,
# group and time zone.
find_program(PYTHON3 python3 REQUIRED)
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(package MATCHES "\\.zip$")
        execute_process(
            COMMAND ${PYTHON3} ${CMAKE_CURRENT_LIST_DIR}/reproducible_zip.py ${package}
                    ${CPACK_KARSOBEL_SOURCE_DATE_EPOCH}
            COMMAND_ERROR_IS_FATAL ANY)
    endif()
endforeach()
