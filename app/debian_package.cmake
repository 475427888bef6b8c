# The Debian package, made by `cpack -G DEB` in the build directory: whatever the project installs,
# binaries stripped, with the copyright file and the changelog Debian asks for.
set(KARSOBEL_MAINTAINER "Karsobel developers <developers@karsobel.org>")
set(package_doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/karsobel)

# The machine-readable copyright file, its licence text taken from LICENSE.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
string(REGEX REPLACE "^.*\n\n(Permission )" "\\1" license_text "${license}")
string(STRIP "${license_text}" license_text)
string(REPLACE "\n\n" "\n.\n" license_text "${license_text}")
string(REPLACE "\n" "\n " license_text " ${license_text}")
set(KARSOBEL_LICENSE_TEXT "${license_text}")
configure_file(debian/copyright.in copyright @ONLY)

add_custom_command(
    OUTPUT changelog.gz
    COMMAND ${GZIP} -9n --stdout ${CMAKE_CURRENT_SOURCE_DIR}/debian/changelog > changelog.gz
    DEPENDS debian/changelog
    COMMENT "Compressing the Debian changelog")
add_custom_target(karsobel_debian_changelog ALL DEPENDS changelog.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
        DESTINATION ${package_doc_dir})

set(CPACK_PACKAGE_NAME karsobel)
set(CPACK_PACKAGE_VENDOR Karsobel)
set(CPACK_PACKAGE_CONTACT "${KARSOBEL_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "A small desktop tool with one window: a narrow input box, a Clear button and
a wide output box in one row. Every second change of the input box adds up the
places in the alphabet of its first two characters (A = 1 to Z = 26, either
case, wrapping past 26), appends that capital letter to the output box and
empties the input box. Clear empties the output box.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's Wayland platform, so that a Wayland desktop shows the window itself rather than through
# XWayland; without it, Qt falls back to X11.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
include(packaging/reproducible.cmake)
include(CPack)
