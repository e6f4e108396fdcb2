# Build-time script of the qov_deb target: installs the qov-clock component,
# stripped, into a staging folder and lets CPack pack exactly that, without
# building the rest of the tree first.
#   -DBUILD=<build folder> -DSTAGE=<staging folder>
file(REMOVE_RECURSE ${STAGE})
execute_process(
  COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${STAGE}/usr --component qov-clock --strip
  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
# The project's CPack settings, with the staged folder as the only input.
set(config ${STAGE}-cpack.cmake)
file(WRITE ${config} "include(${BUILD}/CPackConfig.cmake)\n"
  "set(CPACK_INSTALL_CMAKE_PROJECTS \"\")\n"
  "set(CPACK_INSTALLED_DIRECTORIES \"${STAGE};.\")\n")
execute_process(
  COMMAND ${CMAKE_CPACK_COMMAND} -G DEB --config ${config}
  WORKING_DIRECTORY ${BUILD}
  COMMAND_ERROR_IS_FATAL ANY)
