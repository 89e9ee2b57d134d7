# Run by "cmake --install" for the component "program" after the program, the guide and the
# icons are in place: writes the delivered password file only when the program folder has
# none (it holds the user's password once changed), and the menu entry, whose Exec and
# TryExec name the installed program as tools/install.sh writes them. Set beforehand:
# VESTRANO_PROGRAM_DIR, VESTRANO_PASSWORD_FILE, VESTRANO_DESKTOP_ENTRY, VESTRANO_ENTRY_DIR.

if(IS_ABSOLUTE "${VESTRANO_PROGRAM_DIR}")
    set(folder "${VESTRANO_PROGRAM_DIR}")
else()
    set(folder "${CMAKE_INSTALL_PREFIX}/${VESTRANO_PROGRAM_DIR}")
endif()
set(program "${folder}/vestrano")
if(folder MATCHES "\n")
    message(FATAL_ERROR "A program folder whose name holds a line break cannot be started from a menu")
endif()

set(password "$ENV{DESTDIR}${folder}/unins000.dll")
if(EXISTS "${password}" OR IS_SYMLINK "${password}")
    message(STATUS "Kept: ${password}")
else()
    message(STATUS "Installing: ${password}")
    file(COPY_FILE "${VESTRANO_PASSWORD_FILE}" "${password}")
endif()

# The Exec argument: quoted, with " ` $ and \ escaped by a backslash, then every backslash
# doubled as the entry's string escaping asks, and % written %%. TryExec is a plain string.
string(REGEX REPLACE "([\\\\\"`$])" "\\\\\\1" exec_argument "${program}")
string(REPLACE "\\" "\\\\" exec_argument "${exec_argument}")
string(REPLACE "%" "%%" exec_argument "${exec_argument}")
string(REPLACE "\\" "\\\\" tryexec "${program}")

file(READ "${VESTRANO_DESKTOP_ENTRY}" entry_text)
string(REGEX REPLACE "\nExec=[^\n]*" "\n@EXEC@" entry_text "${entry_text}")
string(REGEX REPLACE "\nTryExec=[^\n]*" "\n@TRYEXEC@" entry_text "${entry_text}")
string(REPLACE "@EXEC@" "Exec=\"${exec_argument}\"" entry_text "${entry_text}")
string(REPLACE "@TRYEXEC@" "TryExec=${tryexec}" entry_text "${entry_text}")
if(IS_ABSOLUTE "${VESTRANO_ENTRY_DIR}")
    set(entry "$ENV{DESTDIR}${VESTRANO_ENTRY_DIR}/vestrano.desktop")
else()
    set(entry "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${VESTRANO_ENTRY_DIR}/vestrano.desktop")
endif()
message(STATUS "Installing: ${entry}")
file(WRITE "${entry}.tmp" "${entry_text}")
file(RENAME "${entry}.tmp" "${entry}")
