# SPDX-FileCopyrightText: 2026 The Tavlo developers
# SPDX-License-Identifier: GPL-3.0-or-later

# tavlo_add_library(<name> [LIBS ...])
# One static library per subsystem, built from every .cpp/.h in the calling folder.
function(tavlo_add_library name)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
    list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
    if(NOT sources)
        # A subsystem that has no code yet still gives its dependants something to link.
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE "${CMAKE_SOURCE_DIR}/src" "${CMAKE_BINARY_DIR}/generated")
        target_link_libraries(${name} INTERFACE ${ARG_LIBS})
        return()
    endif()
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC "${CMAKE_SOURCE_DIR}/src" "${CMAKE_BINARY_DIR}/generated")
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# tavlo_add_test(<name> SOURCES ... [LIBS ...] [LABELS ...] [ENV ...] [TIMEOUT s])
# A QtTest executable. Every test runs with a fixed locale and the offscreen platform unless
# ENV overrides them; TAVLO_TEST_DATA points at tests/data. Label "unit" puts the test in
# the sanitizer run; tests that need root, Xvfb or namespaces use other labels.
function(tavlo_add_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS;ENV" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
    target_compile_definitions(${name} PRIVATE TAVLO_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
                                               TAVLO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    add_test(NAME ${name} COMMAND ${name})
    if(NOT ARG_LABELS)
        set(ARG_LABELS unit)
    endif()
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}" TIMEOUT ${ARG_TIMEOUT}
        ENVIRONMENT "LANG=C.UTF-8;LC_ALL=C.UTF-8;QT_QPA_PLATFORM=offscreen;TAVLO_LIBEXEC_DIR=${TAVLO_LIBEXEC_BUILD_DIR};${ARG_ENV}")
endfunction()

# Adds every subfolder that has a CMakeLists.txt, so each area can grow on its own.
macro(tavlo_add_subdirectories)
    file(GLOB _children RELATIVE "${CMAKE_CURRENT_SOURCE_DIR}" CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt")
    list(SORT _children)
    foreach(_child ${_children})
        get_filename_component(_dir "${_child}" DIRECTORY)
        add_subdirectory("${_dir}")
    endforeach()
endmacro()
