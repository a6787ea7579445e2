# `cmake --install` puts the framework under the prefix: the module libraries, the public headers
# (kf_ and kfu_; implementation headers stay behind) and a KelpForge package, so that a game finds
# it with find_package(KelpForge) and links KelpForge::kelp_forge.
include(CMakePackageConfigHelpers)

set(kfModules core math graphics audio application game)
set(kfTargets kelp_forge)
foreach(module IN LISTS kfModules)
    list(APPEND kfTargets kelp_forge_${module})
endforeach()
set(kfPackageDir ${CMAKE_INSTALL_LIBDIR}/cmake/KelpForge)

install(TARGETS ${kfTargets} EXPORT KelpForgeTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/source/kelp_forge
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
    FILES_MATCHING PATTERN "kf_*.hpp" PATTERN "kfu_*.hpp"
    PATTERN implementation EXCLUDE)
install(EXPORT KelpForgeTargets NAMESPACE KelpForge:: DESTINATION ${kfPackageDir})

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/KelpForgeConfig.cmake.in
    ${PROJECT_BINARY_DIR}/KelpForgeConfig.cmake
    INSTALL_DESTINATION ${kfPackageDir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/KelpForgeConfigVersion.cmake
    VERSION ${KELP_FORGE_VERSION}
    COMPATIBILITY SameMajorVersion)
install(FILES
    ${PROJECT_BINARY_DIR}/KelpForgeConfig.cmake
    ${PROJECT_BINARY_DIR}/KelpForgeConfigVersion.cmake
    ${CMAKE_CURRENT_LIST_DIR}/KelpForgeDependencies.cmake
    DESTINATION ${kfPackageDir})
