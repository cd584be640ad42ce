# The tree installed from the build under test serves a find_package()
# host: its include folder holds only buildingmodel/, and the host's
# program, which includes <buildingmodel/buildingmodel.h> alone, compiles,
# links, writes a model in both forms and loads it back.
#   -DBUILD_DIR=<the build under test> -DCONFIG=<its configuration>
#   -DHOST_FLAGS=<compile and link flags the library needs, e.g. sanitizers>
include("${CMAKE_CURRENT_LIST_DIR}/HostCommon.cmake")
set(prefix "${WORK}/prefix")
set(build "${WORK}/build")
set(out "${WORK}/out")
file(REMOVE_RECURSE "${WORK}")

bm_run("installing ${BUILD_DIR}" "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}" --config "${CONFIG}")
bm_expect_entries("${prefix}/include" buildingmodel)
foreach(header buildingmodel.h platform/Archive.h model/geometry/BMLevel.h)
  if(NOT EXISTS "${prefix}/include/buildingmodel/${header}")
    bm_fail("${prefix}/include/buildingmodel/${header} was not installed")
  endif()
endforeach()

bm_configure("${HOSTS}/installed" "${build}" "-DCMAKE_PREFIX_PATH=${prefix}"
                  "-DBM_EXPECTED_INCLUDE_DIR=${prefix}/include" "-DCMAKE_BUILD_TYPE=${CONFIG}"
                  "-DCMAKE_CXX_FLAGS=${HOST_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${HOST_FLAGS}")
bm_run("building the host" "${CMAKE_COMMAND}" --build "${build}" --config "${CONFIG}")

file(GLOB_RECURSE program "${build}/host" "${build}/host.exe")
if(NOT program)
  bm_fail("the host's program was not built in ${build}")
endif()
file(MAKE_DIRECTORY "${out}")
bm_run("running the host" ${program} "${out}")
foreach(file model.e2k model.bma)
  if(NOT EXISTS "${out}/${file}")
    bm_fail("the host wrote no ${file}")
  endif()
endforeach()
