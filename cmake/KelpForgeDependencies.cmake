# Third-party libraries, all from Debian packages (tools/install_dependencies.sh). The installed
# KelpForgeConfig.cmake includes this file too, so a game linking the installed framework finds
# the same libraries under the same target names.
find_package(PkgConfig REQUIRED)
find_package(OpenGL REQUIRED COMPONENTS OpenGL)
find_package(Threads REQUIRED)
foreach(dependency SDL2:sdl2 X11:x11 GLEW:glew OPENAL:openal)
    string(REPLACE ":" ";" dependency ${dependency})
    list(GET dependency 0 prefix)
    list(GET dependency 1 module)
    if(NOT TARGET PkgConfig::${prefix})
        pkg_check_modules(${prefix} REQUIRED IMPORTED_TARGET ${module})
    endif()
endforeach()
find_path(STB_INCLUDE_DIR stb/stb_image.h REQUIRED)
find_library(STB_LIBRARY stb REQUIRED)
