# What makes CPack's packages the same bytes from every build of a commit: every file and folder
# it packs dated to the source date, and each zip written again in a fixed form
# (reproducible_zip.py).
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/date_staged_files.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/rewrite_zips.cmake)
