# The manual page karsobel.1, made from the program's own --help and --version, so that the two
# always say the same; karsobel.h2m adds its name line. Dated with the release, for the same page
# from every build.
find_program(HELP2MAN help2man REQUIRED)
find_program(GZIP gzip REQUIRED)
execute_process(COMMAND date -u -d ${KARSOBEL_RELEASE_DATE} +%s
                OUTPUT_VARIABLE release_epoch OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
add_custom_command(
    OUTPUT karsobel.1.gz
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${release_epoch}
            ${HELP2MAN} --no-info --section=1 --include=${CMAKE_CURRENT_SOURCE_DIR}/karsobel.h2m --output=karsobel.1
            $<TARGET_FILE:karsobel>
    COMMAND ${GZIP} -9nf karsobel.1
    DEPENDS karsobel karsobel.h2m
    COMMENT "Writing the manual page karsobel.1"
    VERBATIM)
add_custom_target(karsobel_manual_page ALL DEPENDS karsobel.1.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/karsobel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
