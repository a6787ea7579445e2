# KF_SANITIZE instruments every target, the library and its tests alike, so that an
# owned object deleted twice or a read past a buffer fails the test run.
set(kfSanitizeCompileOptions -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
set(kfSanitizeLinkOptions -fsanitize=address,undefined)
if(KF_SANITIZE)
    add_compile_options(${kfSanitizeCompileOptions})
    add_link_options(${kfSanitizeLinkOptions})
endif()

# Fuzzer builds instrument the library for coverage; each fuzz target links libFuzzer's main.
if(KF_BUILD_FUZZERS)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "KF_BUILD_FUZZERS needs clang (tools/fuzz.sh configures it)")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()
