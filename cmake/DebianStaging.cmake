# Run by CPack after installing into its staging folder, before the package is made: gives the
# tree the layout Debian asks of a package (programs and modules stripped as dh_strip does, manual pages and
# changelog compressed with gzip -9n, the copyright file beside the changelog in
# /usr/share/doc/<package>, lintian overrides).
set(usr "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
set(doc "${usr}/share/doc/${CPACK_PACKAGE_NAME}")
set(debian "${CMAKE_CURRENT_LIST_DIR}/debian")

function(kelvaro_run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${ARGN} failed: ${result}")
    endif()
endfunction()

# The program and the audio module it loads: shared objects keep only what linking needs.
file(GLOB programs "${usr}/bin/*")
file(GLOB_RECURSE modules "${usr}/lib/*.so")
foreach(program IN LISTS programs modules)
    kelvaro_run("${CPACK_KELVARO_STRIP}" --remove-section=.comment --remove-section=.note --strip-unneeded
                "${program}")
endforeach()

# The English pages and the translated ones (share/man/de/man1).
file(GLOB pages "${usr}/share/man/man*/*.[1-9]" "${usr}/share/man/*/man*/*.[1-9]")
foreach(page IN LISTS pages)
    kelvaro_run(gzip -9nf "${page}")
endforeach()

file(MAKE_DIRECTORY "${doc}")
configure_file("${debian}/changelog.in" "${doc}/changelog" @ONLY)
kelvaro_run(gzip -9nf "${doc}/changelog")
file(COPY "${debian}/copyright" DESTINATION "${doc}"
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

set(overrides "${usr}/share/lintian/overrides")
file(MAKE_DIRECTORY "${overrides}")
configure_file("${debian}/lintian-overrides" "${overrides}/${CPACK_PACKAGE_NAME}" COPYONLY)
