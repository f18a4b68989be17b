# Project-wide compile options: strict warnings, optional warnings as errors and sanitizers.
# Warnings are errors in the project's own test command and CI (TORVELD_WERROR=ON); a user's or
# a packager's build, with whatever compiler and flags, never fails on a warning.
option(TORVELD_WERROR "Treat compiler warnings as errors" OFF)
add_library(torveld_options INTERFACE)
target_compile_options(torveld_options INTERFACE -Wall -Wextra -Wpedantic)
# GCC 12 warns falsely about overlapping copies inside std::string when it inlines
# "text" + std::string at -O3 (GCC bugs 105329 and 105651, mended in GCC 13); a Release build
# must compile without warnings, so that one warning is off for GCC 12.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
   AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(torveld_options INTERFACE -Wno-restrict)
endif()
if(TORVELD_WERROR)
    target_compile_options(torveld_options INTERFACE -Werror)
endif()
if(TORVELD_SANITIZE)
    target_compile_options(torveld_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(torveld_options INTERFACE -fsanitize=address,undefined)
endif()

# A build for libFuzzer (scripts/fuzz.sh): clang only; every library carries the fuzzer's
# coverage instrumentation and the address and undefined-behaviour sanitizers.
option(TORVELD_FUZZ "Build the libFuzzer targets (clang only)" OFF)
if(TORVELD_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "TORVELD_FUZZ needs clang: CXX=clang++ cmake -DTORVELD_FUZZ=ON ...")
    endif()
    target_compile_options(torveld_options INTERFACE
        -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
        -fno-omit-frame-pointer)
    target_link_options(torveld_options INTERFACE -fsanitize=address,undefined)
endif()
