# Installs the framework of the build tree the tests run from into a fresh prefix, then builds
# against it as a game outside the tree would:
#   1. every installed public header, each compiled alone (installed_headers/);
#   2. examples/outside_project, finding the framework with find_package(KelpForge);
#   3. examples/outside_project again, adding the repository with add_subdirectory and building
#      only the game and the framework libraries it needs.
# Run by CTest: cmake -D BUILD_DIR=... -D SOURCE_DIR=... -D WORK_DIR=... -D GENERATOR=...
#                     -D BUILD_TYPE=... -D CXX_COMPILER=... -D C_COMPILER=... -P kf_package_test.cmake

# Runs a command and stops the test with its output when it fails.
function(kf_run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        list(JOIN ARGN " " command)
        message(FATAL_ERROR "${command}\nfailed (${result}):\n${output}")
    endif()
endfunction()

# kf_build(<project folder> <build folder> <cache arguments ...>): configures and builds the
# project the way the framework was built, two jobs at a time.
function(kf_build project build)
    kf_run(${CMAKE_COMMAND} -S ${project} -B ${build} -G ${GENERATOR} -DCMAKE_BUILD_TYPE=${BUILD_TYPE}
        -DCMAKE_CXX_COMPILER=${CXX_COMPILER} -DCMAKE_C_COMPILER=${C_COMPILER} ${ARGN})
    kf_run(${CMAKE_COMMAND} --build ${build} --parallel 2)
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
# A no-op after a full build; it keeps what is installed current when only some targets were built.
kf_run(${CMAKE_COMMAND} --build ${BUILD_DIR} --target kelp_forge_game)
kf_run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

file(GLOB_RECURSE implementationHeaders ${prefix}/*/kfi_*)
if(implementationHeaders)
    list(JOIN implementationHeaders "\n" implementationHeaders)
    message(FATAL_ERROR "Implementation headers were installed:\n${implementationHeaders}")
endif()

set(outsideProject ${SOURCE_DIR}/examples/outside_project)
kf_build(${CMAKE_CURRENT_LIST_DIR}/installed_headers ${WORK_DIR}/installed_headers -DCMAKE_PREFIX_PATH=${prefix})
kf_build(${outsideProject} ${WORK_DIR}/find_package -DCMAKE_PREFIX_PATH=${prefix})
# The framework is compiled once more here: without optimisation or debug information, which
# takes the least time and is all this step needs to show.
set(BUILD_TYPE None)
kf_build(${outsideProject} ${WORK_DIR}/add_subdirectory -DKELP_FORGE_SOURCE_DIR=${SOURCE_DIR})
