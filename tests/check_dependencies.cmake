cmake_minimum_required(VERSION 3.25)
# The dependency graph of docs/architecture.md, checked on the sources: each folder of src/
# includes project headers only from itself and the folders it may depend on.
#   cmake -DSOURCE_DIR=... -P check_dependencies.cmake
set(allowed_data data)
set(allowed_format format)
set(allowed_designation designation data)
set(allowed_calc calc data)
set(allowed_report report calc designation data)
set(allowed_print print format data platform)
set(allowed_ui ui report print calc designation format data platform)

# Which folder each project header lives in.
file(GLOB_RECURSE headers RELATIVE ${SOURCE_DIR}/src ${SOURCE_DIR}/src/*.h)
foreach(header ${headers})
    string(REGEX MATCH "^[a-z]+" folder ${header})
    get_filename_component(name ${header} NAME)
    set(home_${name} ${folder})
endforeach()

set(faults "")
foreach(folder data format designation calc report print ui)
    file(GLOB_RECURSE sources ${SOURCE_DIR}/src/${folder}/*.h ${SOURCE_DIR}/src/${folder}/*.cpp)
    foreach(source ${sources})
        file(STRINGS ${source} includes REGEX "^#include \"")
        foreach(line ${includes})
            string(REGEX REPLACE "^#include \"([^\"]*)\".*" "\\1" included "${line}")
            get_filename_component(name ${included} NAME)
            set(home ${home_${name}})
            if(home AND NOT home IN_LIST allowed_${folder})
                list(APPEND faults "src/${folder}: ${source} includes ${included} from src/${home}")
            endif()
        endforeach()
    endforeach()
endforeach()
# The query and the Python module answer from the thread report: they include no window class
# and start no window.
set(forbidden main_window.h headless_windowing.h recording_print_preview.h info_window.h
    find_box.h qt_windowing.h qt_application.h)
file(GLOB_RECURSE sources ${SOURCE_DIR}/src/app/query/*.h ${SOURCE_DIR}/src/app/query/*.cpp
     ${SOURCE_DIR}/src/app/python/*.cpp)
foreach(source ${sources})
    file(STRINGS ${source} includes REGEX "^#include [\"<]")
    foreach(line ${includes})
        string(REGEX REPLACE "^#include [\"<]([^\">]*)[\">].*" "\\1" included "${line}")
        get_filename_component(name ${included} NAME)
        if(name IN_LIST forbidden OR included MATCHES "^Q[A-Za-z]+$")
            list(APPEND faults "${source} includes ${included}, a window's")
        endif()
    endforeach()
endforeach()

if(faults)
    list(JOIN faults "\n" text)
    message(FATAL_ERROR "dependencies against docs/architecture.md:\n${text}")
endif()
message(STATUS "every folder of src/ includes only what docs/architecture.md allows")
