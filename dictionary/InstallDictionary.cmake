# Installs the built dict.mdb (GLOSSA_DICT) into GLOSSA_DEST without losing words a user added to an
# installed copy: an existing copy that is newer than the build is kept; an older, different one is
# kept as dict.mdb.bak before the new one replaces it.
set(_target "${GLOSSA_DEST}/dict.mdb")
if(EXISTS "${_target}")
  file(SHA256 "${_target}" _installed)
  file(SHA256 "${GLOSSA_DICT}" _built)
  if(_installed STREQUAL _built)
    message(STATUS "Up-to-date: ${_target}")
    return()
  endif()
  if("${_target}" IS_NEWER_THAN "${GLOSSA_DICT}")
    message(STATUS "Keeping: ${_target} (changed after the last build)")
    return()
  endif()
  file(COPY_FILE "${_target}" "${_target}.bak")
  file(REMOVE "${_target}") # file(INSTALL) would take a same-size copy of the same second as up to date
  message(STATUS "Saved the previous copy as ${_target}.bak")
endif()
file(INSTALL DESTINATION "${GLOSSA_DEST}" TYPE FILE FILES "${GLOSSA_DICT}")
