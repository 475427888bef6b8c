# The Windows distributables, made by CPack: a portable zip and an installer (NSIS). Both carry
# everything installed, at the top of the install folder.
install(TARGETS karsobel RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/windows_readme.txt DESTINATION . RENAME README.txt)
# The notices of the other projects' code the programs hold, drawn from their build.
set(KARSOBEL_NOTICES ${PROJECT_BINARY_DIR}/THIRD-PARTY-NOTICES.txt)
set(KARSOBEL_COMPONENTS ${PROJECT_BINARY_DIR}/third-party-components.json)
karsobel_third_party(COMPONENTS ${KARSOBEL_COMPONENTS} NOTICES ${KARSOBEL_NOTICES}
                     PROGRAMS karsobel.exe karsobel karsobel-pairs.exe karsobel-pairs)
install(FILES ${KARSOBEL_NOTICES} DESTINATION .)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR ${KARSOBEL_VENDOR})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY ${PROJECT_NAME})
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY ${PROJECT_NAME})
# The installer's own script: per user by default, with no administrator rights.
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_SOURCE_DIR}/nsis)
set(CPACK_NSIS_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_NSIS_DISPLAY_NAME ${PROJECT_NAME})
set(CPACK_NSIS_PROGRAM karsobel.exe)
set(CPACK_NSIS_MUI_ICON ${CMAKE_CURRENT_SOURCE_DIR}/karsobel.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_CURRENT_SOURCE_DIR}/karsobel.ico)
include(packaging/reproducible.cmake)
include(CPack)

if(CMAKE_CROSSCOMPILING)
    # The Windows Installer package, for administrators who install on many machines, built by
    # Debian's wixl beside CPack's two packages.
    find_program(KARSOBEL_WIXL wixl REQUIRED)
    # Never to change: it makes each later version replace the one installed.
    set(KARSOBEL_MSI_UPGRADE_CODE E9ADE800-B961-44CF-9BEB-2A55474F3BAC)
    set(KARSOBEL_MSI_SETTINGS ${CMAKE_CURRENT_BINARY_DIR}/msi_settings.cmake)
    configure_file(msi/msi_settings.cmake.in msi_settings.cmake.in @ONLY)
    file(GENERATE OUTPUT ${KARSOBEL_MSI_SETTINGS}
         INPUT ${CMAKE_CURRENT_BINARY_DIR}/msi_settings.cmake.in)
    set(KARSOBEL_MSI ${PROJECT_BINARY_DIR}/${PROJECT_NAME}-${PROJECT_VERSION}-win64.msi)
    add_custom_command(
        OUTPUT ${KARSOBEL_MSI}
        COMMAND ${CMAKE_COMMAND} -DSETTINGS=${KARSOBEL_MSI_SETTINGS} -DVERSION=${PROJECT_VERSION}
                -DOUTPUT=${KARSOBEL_MSI} -P ${CMAKE_CURRENT_SOURCE_DIR}/msi/make_msi.cmake
        DEPENDS karsobel karsobel-pairs msi/karsobel.wxs msi/make_msi.cmake msi/stamp_package.py
                ${KARSOBEL_MSI_SETTINGS} ${KARSOBEL_ICON} ${PROJECT_SOURCE_DIR}/LICENSE
                windows_readme.txt ${KARSOBEL_NOTICES}
        COMMENT "Building the Windows Installer package")
    add_custom_target(karsobel_msi ALL DEPENDS ${KARSOBEL_MSI})
    # For the package's test.
    set(KARSOBEL_MSI ${KARSOBEL_MSI} PARENT_SCOPE)
    set(KARSOBEL_MSI_SETTINGS ${KARSOBEL_MSI_SETTINGS} PARENT_SCOPE)
    set(KARSOBEL_COMPONENTS ${KARSOBEL_COMPONENTS} PARENT_SCOPE)
endif()
