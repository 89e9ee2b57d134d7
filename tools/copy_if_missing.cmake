# Copies the delivered password file into the program folder only when it is not there yet,
# so that rebuilding never puts back the initial password over one the user has changed.
if(EXISTS "${SRC}" AND NOT EXISTS "${DST}")
    file(COPY_FILE "${SRC}" "${DST}")
endif()
