# A host that add_subdirectory()s buildingmodel keeps its build type and
# flags, finds the library's headers in one folder that holds only
# buildingmodel/, and installs nothing of the library. Configures the host
# (hosts/subdir) and compiles its program by the host's own compile command;
# the library itself is not built.
#   -DSOURCE_DIR=<this repository> -DBUILD_TYPE=<the host's, may be empty>
include("${CMAKE_CURRENT_LIST_DIR}/HostCommon.cmake")
set(build "${WORK}/build")
set(args "-DBM_SOURCE_DIR=${SOURCE_DIR}" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON)
if(BUILD_TYPE)
  list(APPEND args "-DCMAKE_BUILD_TYPE=${BUILD_TYPE}")
endif()
bm_configure("${HOSTS}/subdir" "${build}" ${args})

# The host's cache: its build type as it set it (or left it), and no entry
# that the library would add for a whole build.
bm_expect_cache("${build}" "CMAKE_BUILD_TYPE|BUILD_SHARED_LIBS|BM_CORPUS_DIR"
                "CMAKE_BUILD_TYPE:STRING=${BUILD_TYPE}")

# The host's own compile command.
file(READ "${build}/compile_commands.json" commands)
string(JSON count LENGTH "${commands}")
math(EXPR last "${count} - 1")
set(command "")
foreach(i RANGE ${last})
  string(JSON file GET "${commands}" ${i} file)
  if(file MATCHES "host_main\\.cc$")
    string(JSON command GET "${commands}" ${i} command)
    string(JSON directory GET "${commands}" ${i} directory)
  endif()
endforeach()
if(NOT command)
  bm_fail("no compile command for host_main.cc in ${build}/compile_commands.json")
endif()
if(command MATCHES " -DNDEBUG( |$)")
  bm_fail("the host's program is compiled with -DNDEBUG: ${command}")
endif()
if(NOT BUILD_TYPE AND command MATCHES " -O[1-3s]( |$)")
  bm_fail("the host left its build type empty, yet its program is optimised: ${command}")
endif()
if(BUILD_TYPE STREQUAL "Debug" AND NOT command MATCHES " -g( |$)")
  bm_fail("the host's Debug program is compiled without -g: ${command}")
endif()

# One folder of the library on the host's include path, holding only
# buildingmodel/.
string(REGEX MATCHALL "(-I|-isystem )[^ ]+" includes "${command}")
if(NOT includes STREQUAL "-I${build}/buildingmodel/include")
  bm_fail("the host's include path is '${includes}', expected -I${build}/buildingmodel/include alone")
endif()
bm_expect_entries("${build}/buildingmodel/include" buildingmodel)

# The program, which includes only <buildingmodel/buildingmodel.h>, compiles.
separate_arguments(argv UNIX_COMMAND "${command}")
set(output_next OFF)
foreach(arg IN LISTS argv)
  if(output_next)
    get_filename_component(folder "${arg}" DIRECTORY BASE_DIR "${directory}")
    file(MAKE_DIRECTORY "${folder}")
  endif()
  set(output_next OFF)
  if(arg STREQUAL "-o" OR arg STREQUAL "-MF")
    set(output_next ON)
  endif()
endforeach()
execute_process(COMMAND ${argv} WORKING_DIRECTORY "${directory}" RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  bm_fail("the host's program does not compile against the build tree's headers:\n${err}")
endif()

# Installing the host installs the host's file and nothing of the library.
bm_run("installing the host" "${CMAKE_COMMAND}" --install "${build}" --prefix "${WORK}/prefix")
bm_expect_entries("${WORK}/prefix" RECURSE share/bm_subdir_host/CMakeLists.txt)
