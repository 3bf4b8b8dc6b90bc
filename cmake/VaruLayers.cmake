# Which library may use which. Each src/ folder is one library; a library may link (and so
# include) only the libraries listed for it here. varu_check_layers() runs at configure time and
# stops the build when
#   - a library links a Varu library its row does not allow (a dependency running upward),
#   - a source includes a header of a library its target does not link, directly or through
#     the libraries it links, or
#   - a library links a Varu library none of its sources includes.
# A new library needs a row.
set(VARU_LAYERS
    "varu_core:"
    "varu_platform:"
    "varu_platform_fake:varu_platform"
    "varu_platform_freedesktop:varu_platform"
    "varu_platform_x11:varu_platform varu_platform_freedesktop"
    "varu_platform_wayland:varu_platform varu_platform_freedesktop varu_platform_x11"
    "varu_platform_choice:varu_platform varu_platform_x11 varu_platform_wayland"
    "varu_settings:varu_core varu_platform"
    "varu_store:varu_core varu_platform"
    "varu_capture:varu_core varu_platform varu_settings"
    "varu_paste:varu_core varu_platform"
    "varu_settings_ui:varu_settings varu_platform"
    "varu_strip_model:varu_core"
    "varu_strip_cards:varu_core varu_capture"
    "varu_strip_ui:varu_strip_model varu_strip_cards varu_paste varu_store varu_core varu_platform"
    "varu_onboarding:varu_settings varu_strip_cards varu_platform"
    "varu_strip_preview:varu_strip_ui varu_strip_cards varu_core varu_platform"
    "varu_app:varu_store varu_settings varu_core varu_platform varu_platform_choice varu_capture varu_paste varu_strip_model varu_strip_ui varu_strip_preview varu_onboarding varu_settings_ui"
)

# Called by varu_add_library: remembers which folder of src/ the library is.
function(varu_register_layer name)
    file(RELATIVE_PATH folder "${PROJECT_SOURCE_DIR}/src" "${CMAKE_CURRENT_SOURCE_DIR}")
    set_property(GLOBAL APPEND PROPERTY VARU_LIBRARIES ${name})
    set_property(GLOBAL PROPERTY VARU_FOLDER_${name} "${folder}")
    set_property(GLOBAL PROPERTY VARU_LIBRARY_OF_${folder} ${name})
endfunction()

# The Varu libraries `name` links, directly and through them, into `out`.
function(_varu_reachable name out)
    set(seen "")
    set(queue ${name})
    while(queue)
        list(POP_FRONT queue current)
        get_target_property(links ${current} LINK_LIBRARIES)
        foreach(link IN LISTS links)
            if(link MATCHES "^varu_" AND NOT link IN_LIST seen)
                list(APPEND seen ${link})
                list(APPEND queue ${link})
            endif()
        endforeach()
    endwhile()
    set(${out} ${seen} PARENT_SCOPE)
endfunction()

function(varu_check_layers)
    foreach(row IN LISTS VARU_LAYERS)
        string(REPLACE ":" ";" parts "${row}")
        list(GET parts 0 lib)
        set(allowed_${lib} "")
        list(LENGTH parts n)
        if(n GREATER 1)
            list(GET parts 1 deps)
            string(REPLACE " " ";" allowed_${lib} "${deps}")
        endif()
        set(known_${lib} TRUE)
    endforeach()

    set(problems "")
    get_property(libraries GLOBAL PROPERTY VARU_LIBRARIES)
    foreach(lib IN LISTS libraries)
        if(NOT known_${lib})
            list(APPEND problems "${lib} has no row in cmake/VaruLayers.cmake")
            continue()
        endif()
        get_target_property(links ${lib} LINK_LIBRARIES)
        set(direct "")
        foreach(link IN LISTS links)
            if(link MATCHES "^varu_")
                list(APPEND direct ${link})
                if(NOT link IN_LIST allowed_${lib})
                    list(APPEND problems "${lib} may not link ${link}")
                endif()
            endif()
        endforeach()
        _varu_reachable(${lib} reachable)

        get_property(folder GLOBAL PROPERTY VARU_FOLDER_${lib})
        get_target_property(sources ${lib} SOURCES)
        set(used "")
        foreach(source IN LISTS sources)
            # Generated sources (QML caches, type registrations) are not ours to check.
            if(IS_ABSOLUTE "${source}" OR NOT source MATCHES "\\.(h|cpp)$")
                continue()
            endif()
            file(STRINGS "${PROJECT_SOURCE_DIR}/src/${folder}/${source}" includes
                 REGEX "^#include \"[a-z0-9_/]+/[A-Za-z0-9_]+\\.h\"")
            foreach(line IN LISTS includes)
                string(REGEX REPLACE "^#include \"(.+)/[A-Za-z0-9_]+\\.h\".*" "\\1" dir "${line}")
                get_property(owner GLOBAL PROPERTY VARU_LIBRARY_OF_${dir})
                if(NOT owner OR owner STREQUAL lib)
                    continue()
                endif()
                list(APPEND used ${owner})
                if(NOT owner IN_LIST reachable)
                    list(APPEND problems "${folder}/${source} includes ${dir}/ but ${lib} does not link ${owner}")
                endif()
            endforeach()
        endforeach()
        foreach(link IN LISTS direct)
            if(NOT link IN_LIST used)
                list(APPEND problems "${lib} links ${link} but includes none of its headers")
            endif()
        endforeach()
    endforeach()

    if(problems)
        list(JOIN problems "\n  " text)
        message(FATAL_ERROR "Library layers broken:\n  ${text}")
    endif()
endfunction()
