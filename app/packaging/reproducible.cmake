# What CPack does around its packing: signs the Windows programs where release.sh asks it to,
# then, for the same bytes from every build of a commit, dates every file and folder it packs to
# the source date, and writes each zip again in a fixed form (reproducible_zip.py). Signing comes
# first: it changes the programs, and with them their dates.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/sign_staged_programs.cmake
                            ${CMAKE_CURRENT_LIST_DIR}/date_staged_files.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/rewrite_zips.cmake)
