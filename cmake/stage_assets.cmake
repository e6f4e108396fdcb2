# Build-time script: copies the icon and the two face pictures from assets/
# (where they are committed) into the resource folder, and the city list and
# the adzan beside the program when they exist. Only changed files are
# touched, so the resources recompile only when a picture really changed.
#   -DASSETS=... -DRES=... -DEXE_DIR=...
file(MAKE_DIRECTORY ${RES})
foreach(name qov.ico face_analog.bmp face_plain.bmp)
  if(NOT EXISTS ${ASSETS}/${name})
    message(FATAL_ERROR "${ASSETS}/${name} is missing: assets/make_assets.sh makes it")
  endif()
  file(COPY_FILE ${ASSETS}/${name} ${RES}/${name} ONLY_IF_DIFFERENT)
endforeach()
if(EXE_DIR)
  file(MAKE_DIRECTORY ${EXE_DIR})
  foreach(name daftar_all.TXT adzhan.wav bunyi.wav)
    if(EXISTS ${ASSETS}/${name})
      file(COPY_FILE ${ASSETS}/${name} ${EXE_DIR}/${name} ONLY_IF_DIFFERENT)
    endif()
  endforeach()
endif()
