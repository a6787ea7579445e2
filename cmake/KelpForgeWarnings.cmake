# One place for the warning flags every target of the project builds with.
function(kf_set_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                             -Wformat=2 -Wimplicit-fallthrough)
endfunction()
