# Third-party libraries, all from Debian packages (tools/install_dependencies.sh).
find_package(PkgConfig REQUIRED)
find_package(OpenGL REQUIRED COMPONENTS OpenGL)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(GLEW REQUIRED IMPORTED_TARGET glew)
pkg_check_modules(OPENAL REQUIRED IMPORTED_TARGET openal)
find_path(STB_INCLUDE_DIR stb/stb_image.h REQUIRED)
find_library(STB_LIBRARY stb REQUIRED)
find_package(Threads REQUIRED)
