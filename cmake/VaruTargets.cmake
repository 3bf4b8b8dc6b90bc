# Shared settings for every Varu target.

include(${CMAKE_CURRENT_LIST_DIR}/VaruLayers.cmake)

function(varu_target_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(VARU_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    # GIO headers use "signals" as an identifier.
    target_compile_definitions(${target} PRIVATE QT_NO_KEYWORDS)
endfunction()

# varu_add_library(name SOURCES ... [QT ...] [LIBS ...])
function(varu_add_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    varu_target_defaults(${name})
    varu_register_layer(${name})
endfunction()

# varu_add_test(name SOURCES ... LIBS ... [LABELS unit|e2e] [TIMEOUT s])
# One Qt Test executable per class or feature, registered with CTest.
function(varu_add_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
    varu_target_defaults(${name})
    target_compile_definitions(${name} PRIVATE
        VARU_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
    add_test(NAME ${name} COMMAND ${name})
    if(NOT ARG_LABELS)
        set(ARG_LABELS unit)
    endif()
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    set(env "QT_QPA_PLATFORM=offscreen" "LC_ALL=C.UTF-8")
    if("e2e" IN_LIST ARG_LABELS)
        set(env "LC_ALL=C.UTF-8")
    endif()
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}" TIMEOUT ${ARG_TIMEOUT}
        ENVIRONMENT "${env}")
endfunction()

# varu_add_qml_module(target URI uri FILES qml...)
# The views of a library as a QML module under qrc:/qt/qml, remembering the files and the
# import path (the module's qmldir and the qmltypes of its C++ types) for the lint test.
function(varu_add_qml_module target)
    cmake_parse_arguments(ARG "" "URI" "FILES" ${ARGN})
    string(REPLACE "." "/" path "${ARG_URI}")
    qt_add_qml_module(${target}
        URI ${ARG_URI}
        VERSION 1.0
        NO_PLUGIN
        RESOURCE_PREFIX /qt/qml
        OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/${path}
        QML_FILES ${ARG_FILES})
    list(TRANSFORM ARG_FILES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
    set_target_properties(${target} PROPERTIES
        VARU_QML_FILES "${ARG_FILES}"
        VARU_QML_IMPORT_PATH ${CMAKE_CURRENT_BINARY_DIR})
endfunction()

# varu_add_qmllint_test(name target)
# The target's views checked against the types their module registers: qmllint exits non-zero
# on any warning (unqualified access, unknown property, type mismatch, missing import).
function(varu_add_qmllint_test name target)
    get_target_property(views ${target} VARU_QML_FILES)
    get_target_property(import_path ${target} VARU_QML_IMPORT_PATH)
    add_test(NAME ${name} COMMAND Qt6::qmllint -I ${import_path} ${views})
    set_tests_properties(${name} PROPERTIES LABELS unit TIMEOUT 120)
endfunction()
