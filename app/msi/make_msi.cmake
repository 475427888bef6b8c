# Builds the Windows Installer package with wixl from karsobel.wxs:
#     cmake -DSETTINGS=msi_settings.cmake -DVERSION=1.00 -DOUTPUT=Karsobel-1.00-win64.msi
#           -P make_msi.cmake
# SETTINGS, written by the build, gives wixl and the files that go in; VERSION may be another
# than the project's, as the upgrade test builds a later one.
cmake_minimum_required(VERSION 3.25)
include(${SETTINGS})
# One product code a version, so that building a version again gives the same product, which an
# installed copy of it refuses.
string(UUID product_code NAMESPACE ${KARSOBEL_MSI_UPGRADE_CODE} NAME ${VERSION} TYPE SHA1 UPPER)
# wixl takes the files' paths relative to the folder it runs in.
get_filename_component(folder ${OUTPUT} DIRECTORY)
foreach(file ICON PROGRAM PAIRS LICENCE README)
    file(RELATIVE_PATH ${file} ${folder} ${KARSOBEL_${file}})
endforeach()
execute_process(
    COMMAND ${KARSOBEL_WIXL} --arch x64 -o ${OUTPUT}
            -D ProductCode=${product_code} -D UpgradeCode=${KARSOBEL_MSI_UPGRADE_CODE}
            -D Version=${VERSION} -D Vendor=${KARSOBEL_VENDOR}
            -D Description=${KARSOBEL_DESCRIPTION} -D Icon=${ICON}
            -D Program=${PROGRAM} -D Pairs=${PAIRS} -D Licence=${LICENCE} -D Readme=${README}
            ${CMAKE_CURRENT_LIST_DIR}/karsobel.wxs
    WORKING_DIRECTORY ${folder} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "wixl could not build ${OUTPUT}")
endif()
