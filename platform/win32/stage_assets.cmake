# Build-time script: puts the icon and the two face pictures into the
# resource folder, the real ones from assets/ when they exist, otherwise
# generated placeholders, and copies the city list and the adzan beside the
# program when they exist. Only changed files are touched, so the resources
# recompile only when a picture really changed.
#   -DASSETS=... -DRES=... -DEXE_DIR=... -DGENERATOR=... -DPYTHON=...
file(MAKE_DIRECTORY ${RES})
foreach(name qov.ico face_analog.bmp face_plain.bmp)
  if(EXISTS ${ASSETS}/${name})
    file(COPY_FILE ${ASSETS}/${name} ${RES}/${name} ONLY_IF_DIFFERENT)
    file(REMOVE ${RES}/${name}.placeholder)
  elseif(NOT EXISTS ${RES}/${name}.placeholder)
    if(NOT PYTHON)
      message(FATAL_ERROR "${ASSETS}/${name} is missing and no python3 to make a placeholder")
    endif()
    message(STATUS "assets/${name} missing: using a placeholder")
    execute_process(COMMAND ${PYTHON} ${GENERATOR} ${name} ${RES}/${name} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "could not make a placeholder for ${name}")
    endif()
    file(TOUCH ${RES}/${name}.placeholder)
  endif()
endforeach()
if(EXE_DIR)
  file(MAKE_DIRECTORY ${EXE_DIR})
  foreach(name daftar_all.TXT adzhan.wav)
    if(EXISTS ${ASSETS}/${name})
      file(COPY_FILE ${ASSETS}/${name} ${EXE_DIR}/${name} ONLY_IF_DIFFERENT)
    endif()
  endforeach()
endif()
