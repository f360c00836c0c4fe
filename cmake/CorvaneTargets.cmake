# Target helpers. Every folder is one static library; core folders never link Qt, so a stray
# Qt include in them fails to compile. Sources are collected per folder: *.cpp is the library,
# *_test.cpp are its tests (GoogleTest for the core, one QtTest program per file for Qt code).

function(corvane_apply_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                             -Wold-style-cast -Wcast-align -Woverloaded-virtual)
    if(CORVANE_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    if(CORVANE_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                 -fno-sanitize-recover=undefined)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()

function(corvane_collect_sources out_lib out_tests)
    file(GLOB all_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    set(lib_sources)
    set(test_sources)
    foreach(src IN LISTS all_sources)
        if(src MATCHES "_test\\.cpp$")
            list(APPEND test_sources ${src})
        elseif(NOT src MATCHES "_main\\.cpp$|_fuzz\\.cpp$")
            list(APPEND lib_sources ${src})
        endif()
    endforeach()
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    set(${out_lib} ${lib_sources} ${headers} PARENT_SCOPE)
    set(${out_tests} ${test_sources} PARENT_SCOPE)
endfunction()

# A static library of the folder's sources; an interface library while the folder holds only
# headers (or nothing yet), so the dependency graph is complete from the start.
function(corvane_add_folder_library target sources deps)
    set(has_cpp FALSE)
    foreach(src IN LISTS sources)
        if(src MATCHES "\\.cpp$")
            set(has_cpp TRUE)
        endif()
    endforeach()
    if(has_cpp)
        add_library(${target} STATIC ${sources})
        target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
        target_link_libraries(${target} PUBLIC ${deps})
        corvane_apply_warnings(${target})
    else()
        add_library(${target} INTERFACE)
        target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
        target_link_libraries(${target} INTERFACE ${deps})
    endif()
endfunction()

# corvane_core_library(<target> [DEPS <targets>...])
# A Qt-free library of the current folder, with its GoogleTest program (label "core").
function(corvane_core_library target)
    cmake_parse_arguments(ARG "" "" "DEPS;TEST_DEPS" ${ARGN})
    corvane_collect_sources(lib_sources test_sources)
    corvane_add_folder_library(${target} "${lib_sources}" "${ARG_DEPS}")
    if(test_sources)
        add_executable(${target}_tests ${test_sources})
        target_link_libraries(${target}_tests PRIVATE ${target} ${ARG_TEST_DEPS} corvane_testsupport
                                                      GTest::gtest GTest::gtest_main)
        corvane_apply_warnings(${target}_tests)
        gtest_discover_tests(${target}_tests DISCOVERY_TIMEOUT 60
            PROPERTIES LABELS core ENVIRONMENT "CORVANE_RESOURCE_DIR=${CORVANE_RESOURCE_DIR}")
    endif()
endfunction()

# corvane_qt_library(<target> [DEPS <targets>...] [LABEL widgets|integration])
# A Qt library of the current folder; each *_test.cpp becomes its own QtTest program.
function(corvane_qt_library target)
    cmake_parse_arguments(ARG "" "LABEL" "DEPS;TEST_DEPS" ${ARGN})
    if(NOT ARG_LABEL)
        set(ARG_LABEL widgets)
    endif()
    corvane_collect_sources(lib_sources test_sources)
    corvane_add_folder_library(${target} "${lib_sources}" "${ARG_DEPS}")
    if(lib_sources MATCHES "\\.cpp")
        set_target_properties(${target} PROPERTIES AUTOMOC ON)
    endif()
    foreach(test_src IN LISTS test_sources)
        get_filename_component(test_name ${test_src} NAME_WE)
        set(test_target ${target}_${test_name})
        add_executable(${test_target} ${test_src})
        set_target_properties(${test_target} PROPERTIES AUTOMOC ON)
        target_link_libraries(${test_target} PRIVATE ${target} ${ARG_TEST_DEPS} corvane_qttestsupport
                                                     Qt6::Test)
        corvane_apply_warnings(${test_target})
        add_test(NAME ${test_target} COMMAND ${test_target})
        set_tests_properties(${test_target} PROPERTIES LABELS ${ARG_LABEL} TIMEOUT 300
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen;CORVANE_RESOURCE_DIR=${CORVANE_RESOURCE_DIR}")
    endforeach()
endfunction()

include(GoogleTest)
