# Wayland protocol code made by wayland-scanner from the protocols' XML.
#
# The program speaks to the compositor over a Wayland connection of its own (libwayland-client), not
# through Qt's: that works whatever Qt platform plugin draws the windows (a native Wayland client or
# an X11 client on Xwayland), and it needs no private Qt header, which Qt 6.4 would for the seat.

pkg_check_modules(WAYLAND_CLIENT REQUIRED IMPORTED_TARGET wayland-client)
pkg_check_modules(WAYLAND_PROTOCOLS REQUIRED wayland-protocols>=1.31)
pkg_get_variable(WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
pkg_get_variable(WAYLAND_SCANNER wayland-scanner wayland_scanner)
if(NOT WAYLAND_SCANNER)
    find_program(WAYLAND_SCANNER wayland-scanner REQUIRED)
endif()
find_package(PlasmaWaylandProtocols REQUIRED)

# The idle protocols: ext-idle-notify-v1 (Plasma 6, wlroots compositors, ...) and KWin's own (Plasma 5).
set(KELVARO_IDLE_PROTOCOLS
    ${WAYLAND_PROTOCOLS_DIR}/staging/ext-idle-notify/ext-idle-notify-v1.xml
    ${PLASMA_WAYLAND_PROTOCOLS_DIR}/idle.xml)

# kelvaro_wayland_scan(<target> <client-header|server-header|private-code>... ): a target that generates
# <protocol>-<kind>.h from each idle protocol in the current binary folder's wayland/ (the private code
# as a header too, to be included by one C++ file). A library depends on it and includes that folder.
function(kelvaro_wayland_scan target)
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/wayland)
    file(MAKE_DIRECTORY ${dir})
    set(files)
    foreach(kind IN LISTS ARGN)
        foreach(xml IN LISTS KELVARO_IDLE_PROTOCOLS)
            get_filename_component(name ${xml} NAME_WE)
            set(out ${dir}/${name}-${kind}.h)
            add_custom_command(OUTPUT ${out}
                COMMAND ${WAYLAND_SCANNER} ${kind} ${xml} ${out}
                DEPENDS ${xml}
                COMMENT "wayland-scanner ${kind} ${name}")
            list(APPEND files ${out})
        endforeach()
    endforeach()
    add_custom_target(${target} DEPENDS ${files})
endfunction()
