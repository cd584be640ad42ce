# Helpers of the checks in this folder (cmake -P scripts). Each gets, as -D
# values, GENERATOR and CXX (those of the build under test), WORK (its own
# scratch folder) and, for the hosts, HOSTS (the folder of the host projects).

# A build type in the environment would be taken as the hosts' own.
unset(ENV{CMAKE_BUILD_TYPE})

# bm_fail(<text>): stops the check.
function(bm_fail text)
  message(FATAL_ERROR "${text}")
endfunction()

# bm_run(<what> <command>...): runs the command, stops with its output when
# it fails.
function(bm_run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    bm_fail("${what} failed (${rc}):\n${out}")
  endif()
endfunction()

# bm_configure(<source> <build> <cmake args>...): configures a project from
# scratch with the generator and compiler of the build under test.
function(bm_configure source build)
  file(REMOVE_RECURSE "${build}")
  bm_run("configuring ${source}" "${CMAKE_COMMAND}" -S "${source}" -B "${build}" -G "${GENERATOR}"
         "-DCMAKE_CXX_COMPILER=${CXX}" ${ARGN})
endfunction()

# bm_expect_cache(<build> <names> <entries>): of the cache entries whose
# names match the regular expression <names>, the build holds exactly
# <entries> (a list of "NAME:TYPE=VALUE").
function(bm_expect_cache build names entries)
  file(STRINGS "${build}/CMakeCache.txt" cache REGEX "^(${names}):")
  if(NOT cache STREQUAL entries)
    list(JOIN cache ", " cache)
    bm_fail("${build}'s cache holds ${cache}; expected ${entries} alone")
  endif()
endfunction()

# bm_expect_entries(<folder> <name>...): the folder holds these files and
# folders and nothing else (RECURSE: counts the files below it, at any depth).
function(bm_expect_entries folder)
  cmake_parse_arguments(arg "RECURSE" "" "" ${ARGN})
  if(arg_RECURSE)
    file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE "${folder}" "${folder}/*")
  else()
    file(GLOB found RELATIVE "${folder}" "${folder}/*")
  endif()
  set(expected ${arg_UNPARSED_ARGUMENTS})
  list(SORT found)
  list(SORT expected)
  if(NOT found STREQUAL expected)
    bm_fail("${folder} holds '${found}', expected '${expected}'")
  endif()
endfunction()
