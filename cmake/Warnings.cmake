# Project-wide compile options: strict warnings, warnings as errors, optional sanitizers.
add_library(torveld_options INTERFACE)
target_compile_options(torveld_options INTERFACE -Wall -Wextra -Wpedantic -Werror)
if(TORVELD_SANITIZE)
    target_compile_options(torveld_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(torveld_options INTERFACE -fsanitize=address,undefined)
endif()
