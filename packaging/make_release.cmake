# Build-time script of the release target: stages the files, packs the zip
# (one top-level folder, so unpacking never scatters files) and runs makensis.
#   -DVERSION=... -DSOURCE=<source tree> -DEXE_DIR=<folder of QOVClock.exe>
#   -DOUT=<release folder> -DAPP_ID=<AppUserModelID> [-DMAKENSIS=<makensis>]
set(base QOVClock-${VERSION})
set(stage ${OUT}/stage/${base}-win64)
file(REMOVE_RECURSE ${OUT}/stage)
file(MAKE_DIRECTORY ${stage})

file(COPY_FILE ${EXE_DIR}/QOVClock.exe ${stage}/QOVClock.exe)
file(COPY_FILE ${SOURCE}/assets/daftar_all.TXT ${stage}/daftar_all.TXT)
file(COPY_FILE ${SOURCE}/assets/adzhan.wav ${stage}/adzhan.wav)
file(COPY_FILE ${SOURCE}/assets/bunyi.wav ${stage}/bunyi.wav)

# The compiler runtime's notice travels with the binary that contains it.
set(mingw_notice /usr/share/doc/mingw-w64-x86-64-dev/copyright)
if(NOT EXISTS ${mingw_notice})
  message(FATAL_ERROR "${mingw_notice} is missing: install mingw-w64-x86-64-dev")
endif()
file(READ ${mingw_notice} MINGW_NOTICE)

# Text files in Windows line endings, so every editor shows them right.
function(stage_text from to)
  file(READ ${from} text)
  string(CONFIGURE "${text}" text @ONLY)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${stage}/${to} "${text}")
endfunction()
stage_text(${SOURCE}/packaging/README.txt.in README.txt)
stage_text(${SOURCE}/LICENSE LICENSE.txt)
stage_text(${SOURCE}/packaging/THIRD-PARTY-NOTICES.txt THIRD-PARTY-NOTICES.txt)

set(zip ${OUT}/${base}-win64.zip)
file(REMOVE ${zip})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip --mtime=2000-01-01 ${base}-win64
  WORKING_DIRECTORY ${OUT}/stage
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "could not pack ${zip}")
endif()

if(MAKENSIS)
  set(setup ${OUT}/${base}-setup.exe)
  file(REMOVE ${setup})
  execute_process(
    COMMAND ${MAKENSIS} -V2 -INPUTCHARSET UTF8 -DVERSION=${VERSION} -DSTAGE=${stage}
      -DOUTFILE=${setup} -DICON=${SOURCE}/assets/qov.ico "-DAPPID=${APP_ID}" ${SOURCE}/packaging/installer.nsi
    RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    file(REMOVE ${setup})
    message(FATAL_ERROR "makensis failed")
  endif()
endif()
