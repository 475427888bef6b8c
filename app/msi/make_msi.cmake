# Builds the Windows Installer package with wixl from karsobel.wxs:
#     cmake -DSETTINGS=msi_settings.cmake -DVERSION=1.00 -DOUTPUT=Karsobel-1.00-win64.msi
#           [-DSIGN=COMMAND] -P make_msi.cmake
# SETTINGS, written by the build, gives wixl and the files that go in; VERSION may be another
# than the project's, as the upgrade test builds a later one. SIGN, given by release.sh, signs the
# programs that go in and then the package. The package is the same bytes from
# every build of the same inputs: its files dated to the source date in its cabinet, its summary's
# times that date, and its package code drawn from everything that goes in.
cmake_minimum_required(VERSION 3.25)
include(${SETTINGS})
# One product code a version, so that building a version again gives the same product, which an
# installed copy of it refuses.
string(UUID product_code NAMESPACE ${KARSOBEL_MSI_UPGRADE_CODE} NAME ${VERSION} TYPE SHA1 UPPER)
set(wxs ${CMAKE_CURRENT_LIST_DIR}/karsobel.wxs)
set(defines ProductCode=${product_code} UpgradeCode=${KARSOBEL_MSI_UPGRADE_CODE}
            Version=${VERSION} Vendor=${KARSOBEL_VENDOR} Description=${KARSOBEL_DESCRIPTION})
# The files go in as copies dated to the source date, in a folder beside the package; wixl takes
# their paths relative to the folder it runs in.
get_filename_component(folder ${OUTPUT} DIRECTORY)
get_filename_component(name ${OUTPUT} NAME_WE)
set(staged ${name}.files)
file(REMOVE_RECURSE ${folder}/${staged})
file(MAKE_DIRECTORY ${folder}/${staged})
set(inputs ${wxs})
foreach(file ICON PROGRAM PAIRS LICENCE README NOTICES)
    get_filename_component(file_name ${KARSOBEL_${file}} NAME)
    file(COPY_FILE ${KARSOBEL_${file}} ${folder}/${staged}/${file_name})
    set(${file} ${staged}/${file_name})
    list(APPEND inputs ${folder}/${staged}/${file_name})
endforeach()
if(SIGN)
    foreach(program ${PROGRAM} ${PAIRS})
        execute_process(COMMAND ${SIGN} ${program} WORKING_DIRECTORY ${folder}
                        COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
endif()
execute_process(COMMAND touch -d @${KARSOBEL_SOURCE_DATE_EPOCH} ${ICON} ${PROGRAM} ${PAIRS}
                        ${LICENCE} ${README} ${NOTICES}
                WORKING_DIRECTORY ${folder} COMMAND_ERROR_IS_FATAL ANY)
# A different package never shares a package code: it follows from the digests of all it holds.
set(digests "${defines}")
foreach(input IN LISTS inputs)
    file(SHA256 ${input} digest)
    string(APPEND digests ";${digest}")
endforeach()
string(UUID package_code NAMESPACE ${KARSOBEL_MSI_UPGRADE_CODE} NAME "${digests}" TYPE SHA1 UPPER)
list(TRANSFORM defines PREPEND "-D;")
execute_process(
    COMMAND ${KARSOBEL_WIXL} --arch x64 -o ${OUTPUT} ${defines} -D Icon=${ICON}
            -D Program=${PROGRAM} -D Pairs=${PAIRS} -D Licence=${LICENCE} -D Readme=${README}
            -D Notices=${NOTICES}
            ${wxs}
    WORKING_DIRECTORY ${folder} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "wixl could not build ${OUTPUT}")
endif()
execute_process(
    COMMAND ${KARSOBEL_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/stamp_package.py ${OUTPUT}
            ${KARSOBEL_SOURCE_DATE_EPOCH} ${package_code}
    RESULT_VARIABLE result)
file(REMOVE_RECURSE ${folder}/${staged})
if(NOT result EQUAL 0)
    file(REMOVE ${OUTPUT})
    message(FATAL_ERROR "could not stamp ${OUTPUT} with its date and package code")
endif()
if(SIGN)
    execute_process(COMMAND ${SIGN} ${OUTPUT} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        file(REMOVE ${OUTPUT})
        message(FATAL_ERROR "could not sign ${OUTPUT}")
    endif()
endif()
