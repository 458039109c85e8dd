# Copies SRC to DST only when DST does not exist yet (a user's file is never overwritten).
if(NOT EXISTS "${DST}")
  configure_file("${SRC}" "${DST}" COPYONLY)
endif()
