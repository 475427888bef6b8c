# What the programs hold of other projects' code, drawn from their build: each program's link
# record (GNU ld's map, or wasm-ld's trace, which emscripten's driver cannot ask for as a map),
# then app/packaging/third_party/third_party.py over it, with Debian's own Python (which also has
# the Windows Installer library's bindings that the MSI's build uses).
find_program(KARSOBEL_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
set(KARSOBEL_THIRD_PARTY ${PROJECT_SOURCE_DIR}/app/packaging/third_party)

# karsobel_link_record(TARGET): the linker records what it takes into TARGET.link in the build
# folder.
function(karsobel_link_record target)
    set(record ${CMAKE_CURRENT_BINARY_DIR}/${target}.link)
    if(EMSCRIPTEN)
        target_link_options(${target} PRIVATE "LINKER:--trace")
        set_property(TARGET ${target} PROPERTY RULE_LAUNCH_LINK
                     "${PROJECT_SOURCE_DIR}/cmake/trace_link.sh ${record}")
    else()
        target_link_options(${target} PRIVATE "LINKER:-Map=${record}")
    endif()
    set_property(TARGET ${target} PROPERTY KARSOBEL_LINK_RECORD ${record})
    set_property(TARGET ${target} APPEND PROPERTY ADDITIONAL_CLEAN_FILES ${record})
endfunction()

# karsobel_third_party(COMPONENTS FILE [NOTICES FILE] PROGRAMS NAME TARGET [NAME TARGET...]):
# once the programs are linked, FILE lists each one's components (by the name it ships under)
# and NOTICES, where asked for, holds their notices. A file of the build that the list of
# components does not cover fails the build.
function(karsobel_third_party)
    # A build under the sanitizers, which links their run-times besides, never ships: no list.
    if(CMAKE_CXX_FLAGS MATCHES "-fsanitize=")
        return()
    endif()
    cmake_parse_arguments(arg "" "COMPONENTS;NOTICES" "PROGRAMS" ${ARGN})
    set(programs ${arg_PROGRAMS})
    set(arguments "")
    set(records "")
    while(programs)
        list(POP_FRONT programs name target)
        get_target_property(record ${target} KARSOBEL_LINK_RECORD)
        file(RELATIVE_PATH relative ${PROJECT_BINARY_DIR} ${record})
        list(APPEND arguments --program ${name}=${relative})
        list(APPEND records ${target} $<TARGET_FILE:${target}>)
    endwhile()
    set(outputs ${arg_COMPONENTS})
    if(arg_NOTICES)
        list(APPEND outputs ${arg_NOTICES})
        list(APPEND arguments --notices ${arg_NOTICES} --licence ${PROJECT_SOURCE_DIR}/LICENSE
             --product "${PROJECT_NAME} ${PROJECT_VERSION}")
    endif()
    file(GLOB tool ${KARSOBEL_THIRD_PARTY}/*.py ${KARSOBEL_THIRD_PARTY}/*.toml)
    add_custom_command(
        OUTPUT ${outputs}
        COMMAND ${KARSOBEL_PYTHON} ${KARSOBEL_THIRD_PARTY}/third_party.py components
                --build ${PROJECT_BINARY_DIR} --source ${PROJECT_SOURCE_DIR} ${arguments}
                --output ${arg_COMPONENTS}
        DEPENDS ${records} ${tool}
        COMMENT "Listing the programs' third-party components"
        VERBATIM)
    get_filename_component(name ${arg_COMPONENTS} NAME_WE)
    add_custom_target(${name} ALL DEPENDS ${outputs})
endfunction()
