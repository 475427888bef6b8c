# Makes the Windows packages with CPack into an empty folder and checks that the portable zip
# holds the programs, the licence, the read-me and the third-party notices at the top of its one
# folder:
#     cmake -DCPACK=cpack -DCONFIG=CPackConfig.cmake -DPACKAGES=folder -P packages_test.cmake
file(REMOVE_RECURSE ${PACKAGES})
execute_process(COMMAND ${CPACK} --config ${CONFIG} -B ${PACKAGES}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cpack failed:\n${output}")
endif()
file(GLOB zips ${PACKAGES}/*.zip)
file(GLOB installers ${PACKAGES}/*.exe)
list(LENGTH zips zip_count)
list(LENGTH installers installer_count)
if(NOT zip_count EQUAL 1 OR NOT installer_count EQUAL 1)
    message(FATAL_ERROR "not one zip and one installer in ${PACKAGES}: ${zips} ${installers}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${zips} OUTPUT_VARIABLE listing)
get_filename_component(folder ${zips} NAME_WLE)
foreach(expected karsobel.exe karsobel-pairs.exe LICENSE.txt README.txt THIRD-PARTY-NOTICES.txt)
    string(FIND "${listing}" "${folder}/${expected}\n" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${zips} lacks ${folder}/${expected}:\n${listing}")
    endif()
endforeach()
file(SIZE ${zips} zip_bytes)
file(SIZE ${installers} installer_bytes)
message(STATUS "${zips}: ${zip_bytes} bytes; ${installers}: ${installer_bytes} bytes")
