# bm_warnings(target...): -Wall -Wextra on GCC and clang, and -Werror with
# BM_WARNINGS_AS_ERRORS, for every target of this project.
function(bm_warnings)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    return()
  endif()
  foreach(target ${ARGN})
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(BM_WARNINGS_AS_ERRORS)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  endforeach()
endfunction()
