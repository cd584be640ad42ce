# Built alone, the project defaults to RelWithDebInfo, and a build type
# given on the command line, even an empty one, stands. Configures this
# repository (without tests, tool or benchmarks) into scratch folders.
#   -DSOURCE_DIR=<this repository>
include("${CMAKE_CURRENT_LIST_DIR}/HostCommon.cmake")
set(alone -DBUILD_TESTING=OFF -DBM_BUILD_TOOLS=OFF -DBM_BUILD_BENCHMARKS=OFF)

bm_configure("${SOURCE_DIR}" "${WORK}/default" ${alone})
bm_expect_cache("${WORK}/default" "CMAKE_BUILD_TYPE" "CMAKE_BUILD_TYPE:STRING=RelWithDebInfo")

bm_configure("${SOURCE_DIR}" "${WORK}/empty" ${alone} -DCMAKE_BUILD_TYPE=)
bm_expect_cache("${WORK}/empty" "CMAKE_BUILD_TYPE" "CMAKE_BUILD_TYPE:STRING=")
