# Run by CPack once it has installed what it packs: dates every file and folder there to the
# source date, and hands that date to the generator (the Debian package's own headers take it
# from SOURCE_DATE_EPOCH), so that no package carries the time of the build.
execute_process(
    COMMAND find ${CPACK_TEMPORARY_DIRECTORY} -exec touch -h -d @${CPACK_KARSOBEL_SOURCE_DATE_EPOCH} {} +
    COMMAND_ERROR_IS_FATAL ANY)
set(ENV{SOURCE_DATE_EPOCH} ${CPACK_KARSOBEL_SOURCE_DATE_EPOCH})
