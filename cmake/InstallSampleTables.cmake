# Copies each sample plot table into the installed program folder unless a
# table of that name is already there.
set(destination "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/Plot Tables")
file(MAKE_DIRECTORY "${destination}")
file(GLOB samples "${QUENBRACK_SAMPLES}/*.plt")
foreach(sample IN LISTS samples)
    get_filename_component(name "${sample}" NAME)
    if(EXISTS "${destination}/${name}")
        message(STATUS "Kept: ${destination}/${name}")
    else()
        file(INSTALL "${sample}" DESTINATION "${destination}")
    endif()
endforeach()
