# SPDX-FileCopyrightText: 2026 The Tavlo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Run by cmake --install: installs the desktop entry with Exec= naming the installed tavlo.
# Set beforehand: TAVLO_DESKTOP_ENTRY (the source entry), TAVLO_DESKTOP_STAGE (a scratch
# folder), TAVLO_BINDIR and TAVLO_APPLICATIONS_DIR (relative to the prefix, or absolute).
if(IS_ABSOLUTE "${TAVLO_BINDIR}")
    set(_program "${TAVLO_BINDIR}/tavlo")
else()
    set(_program "${CMAKE_INSTALL_PREFIX}/${TAVLO_BINDIR}/tavlo")
endif()
if(NOT IS_ABSOLUTE "${TAVLO_APPLICATIONS_DIR}")
    set(TAVLO_APPLICATIONS_DIR "${CMAKE_INSTALL_PREFIX}/${TAVLO_APPLICATIONS_DIR}")
endif()

# The Desktop Entry rules: "%" is written "%%"; a path with a reserved character is quoted,
# with '"', '`', '$' and '\' escaped inside the quotes, and every '\' of that doubled again
# because Exec is itself an escaped string.
string(REPLACE "%" "%%" _exec "${_program}")
if(_exec MATCHES "[] \t\"'\\\\><~|&;$*?#()`[]")
    string(REPLACE "\\" "\\\\" _exec "${_exec}")
    string(REPLACE "\"" "\\\"" _exec "${_exec}")
    string(REPLACE "`" "\\`" _exec "${_exec}")
    string(REPLACE "$" "\\$" _exec "${_exec}")
    string(REPLACE "\\" "\\\\" _exec "\"${_exec}\"")
endif()

file(READ "${TAVLO_DESKTOP_ENTRY}" _entry)
string(REGEX REPLACE "\nExec=[^\n]*" "\nExec=${_exec}" _entry "${_entry}")
get_filename_component(_name "${TAVLO_DESKTOP_ENTRY}" NAME)
file(WRITE "${TAVLO_DESKTOP_STAGE}/${_name}" "${_entry}")
file(INSTALL DESTINATION "${TAVLO_APPLICATIONS_DIR}" TYPE FILE FILES "${TAVLO_DESKTOP_STAGE}/${_name}")
