# The Windows executable is built from the same tree by a nested cross build,
# so one `cmake --build` produces both the native tests and QOVClock.exe.
set(QOV_WIN_DIR ${CMAKE_BINARY_DIR}/win)
set(QOV_WIN_EXE "")
find_program(QOV_MINGW_CXX x86_64-w64-mingw32-g++)
if(QOV_BUILD_WINDOWS AND QOV_MINGW_CXX)
  include(ExternalProject)
  ExternalProject_Add(qov_windows
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${QOV_WIN_DIR}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-w64.cmake
      -DCMAKE_BUILD_TYPE=Release
      -DQOV_WERROR=${QOV_WERROR}
      "-DQOV_AUTHOR_NAME=${QOV_AUTHOR_NAME}"
      "-DQOV_AUTHOR_MAIL=${QOV_AUTHOR_MAIL}"
      "-DQOV_WEB_URL=${QOV_WEB_URL}"
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${QOV_WIN_DIR}/backends/win32/QOVClock.exe ${QOV_WIN_DIR}/backends/win32/qov-probe.exe
    USES_TERMINAL_BUILD ON)
  set(QOV_WIN_EXE ${QOV_WIN_DIR}/backends/win32/QOVClock.exe)
elseif(QOV_BUILD_WINDOWS)
  message(STATUS "mingw-w64 not found: the Windows executable and its end-to-end tests are skipped")
else()
  message(STATUS "QOV_BUILD_WINDOWS is off: the Windows executable and its end-to-end tests are skipped")
endif()
