# Read by cpack before it makes a package (CPACK_PROJECT_CONFIG_FILE), with
# the values of the build folder's CPackConfig.cmake and of `cpack -D`.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()

# A Debian package must name a maintainer who can be reached; the project
# has none to name, so whoever builds the package does.
if(NOT CPACK_PACKAGE_CONTACT MATCHES "^[^<>@]*[^<>@ ] <[^<>@ ]+@[^<>@ ]+\\.[^<>@ ]+>$")
  if(CPACK_PACKAGE_CONTACT STREQUAL "")
    set(reason "No maintainer is set")
  else()
    set(reason "The maintainer \"${CPACK_PACKAGE_CONTACT}\" is not of the form Name <address>")
  endif()
  message(FATAL_ERROR "${reason}. A Debian package needs one: configure with "
    "-DTRANSISTOR_MAINTAINER=\"Your Name <you@your.school>\" "
    "(bash scripts/package.sh -DTRANSISTOR_MAINTAINER=...).")
endif()

# The changelog entry is signed by the maintainer.
configure_file(${CPACK_TRANSISTOR_CHANGELOG_IN} ${CPACK_TRANSISTOR_CHANGELOG} @ONLY)
execute_process(COMMAND ${CPACK_TRANSISTOR_GZIP} -9nf ${CPACK_TRANSISTOR_CHANGELOG}
  COMMAND_ERROR_IS_FATAL ANY)
