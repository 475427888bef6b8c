# Run by CPack once it has installed what it packs, when CPACK_KARSOBEL_SIGN names a signing
# command (release.sh's): signs every Windows program there, so that the packages hold signed
# programs.
if(NOT CPACK_KARSOBEL_SIGN)
    return()
endif()
file(GLOB_RECURSE programs "${CPACK_TEMPORARY_DIRECTORY}/*.exe")
foreach(program IN LISTS programs)
    execute_process(COMMAND ${CPACK_KARSOBEL_SIGN} ${program} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
