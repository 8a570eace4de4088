# Registers an installed Quenbrack with the desktop of the user who installs
# it, below $XDG_DATA_HOME (~/.local/share when unset): a menu entry that
# opens plot tables, the application icon, and the MIME type of *.plt.
#
#   cmake --install build --prefix <folder>                      # the program folder
#   cmake --install build --prefix <folder> --component desktop  # the registration
#
# Configured with -DQUENBRACK_DESKTOP_INTEGRATION=ON, the first command does
# both. Only the menu entry names the program folder: after moving the
# folder, register it again; until then TryExec hides the stale entry.
#
# This file serves twice: included from the project it adds the install
# rule, and that rule includes it again at install time, with
# QUENBRACK_DESKTOP_ICON set, to write the files.

if(NOT DEFINED QUENBRACK_DESKTOP_ICON)
    option(QUENBRACK_DESKTOP_INTEGRATION
           "Register the installed program with the installing user's desktop" OFF)
    set(_quenbrack_desktop_default EXCLUDE_FROM_ALL)
    if(QUENBRACK_DESKTOP_INTEGRATION)
        set(_quenbrack_desktop_default "")
    endif()
    install(CODE "set(QUENBRACK_DESKTOP_ICON \"${CMAKE_BINARY_DIR}/generated/images/appicon.png\")
include(\"${CMAKE_CURRENT_LIST_FILE}\")"
            COMPONENT desktop ${_quenbrack_desktop_default})
    unset(_quenbrack_desktop_default)
    return()
endif()

# ---- install time -----------------------------------------------------------

set(_templates "${CMAKE_CURRENT_LIST_DIR}/../assets/desktop")

# The data folder is the user's; XDG_DATA_HOME counts only when absolute.
set(_data "$ENV{XDG_DATA_HOME}")
if(NOT IS_ABSOLUTE "${_data}")
    if("$ENV{HOME}" STREQUAL "")
        message(FATAL_ERROR "Neither XDG_DATA_HOME nor HOME is set: nowhere to register Quenbrack")
    endif()
    set(_data "$ENV{HOME}/.local/share")
endif()
set(_staged "$ENV{DESTDIR}${_data}")

get_filename_component(_program "${CMAKE_INSTALL_PREFIX}/quenbrack" ABSOLUTE)

# The Exec key quotes its program like a shell does in double quotes, and
# the key's value then escapes every backslash once more; % stands for
# itself only doubled. Blanks in the folder name are common, so the path is
# always quoted.
set(_exec "${_program}")
string(REPLACE "\\" "\\\\" _exec "${_exec}")
string(REPLACE "\"" "\\\"" _exec "${_exec}")
string(REPLACE "`" "\\`" _exec "${_exec}")
string(REPLACE "$" "\\$" _exec "${_exec}")
string(REPLACE "%" "%%" _exec "${_exec}")
string(REPLACE "\\" "\\\\" _exec "${_exec}")
set(QUENBRACK_DESKTOP_EXEC "\"${_exec}\"")
string(REPLACE "\\" "\\\\" QUENBRACK_DESKTOP_TRYEXEC "${_program}")

# Written in place rather than by file(INSTALL), which goes by time stamps
# and would keep an entry made for another folder in the same second.
set(_entry "${_staged}/applications/quenbrack.desktop")
message(STATUS "Installing: ${_entry}")
configure_file("${_templates}/quenbrack.desktop.in" "${_entry}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${_entry}")
# file(INSTALL) puts DESTDIR in front by itself.
file(INSTALL "${_templates}/quenbrack.xml" DESTINATION "${_data}/mime/packages")
file(INSTALL "${QUENBRACK_DESKTOP_ICON}" DESTINATION "${_data}/icons/hicolor/64x64/apps"
     RENAME quenbrack.png)

# The desktop reads the caches, not the files above. A staged install
# (DESTDIR) leaves them to whoever unpacks it. A missing tool is no error:
# the files are in place for the next time the caches are rebuilt.
if("$ENV{DESTDIR}" STREQUAL "")
    find_program(_update_mime update-mime-database)
    if(_update_mime)
        execute_process(COMMAND "${_update_mime}" "${_data}/mime"
                        OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE _result)
        if(NOT _result EQUAL 0)
            message(WARNING "update-mime-database failed (${_result}); *.plt is known after the next update")
        endif()
    endif()
    find_program(_update_desktop update-desktop-database)
    if(_update_desktop)
        execute_process(COMMAND "${_update_desktop}" "${_data}/applications"
                        OUTPUT_QUIET ERROR_QUIET)
    endif()
endif()
message(STATUS "Registered ${_program} with the desktop in ${_staged}")
