# Cross-build for 64-bit Windows with mingw-w64; tests run under wine (whose
# loader starts 64-bit programs in the same prefix).
set(BM_MINGW_TRIPLET x86_64-w64-mingw32)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake")
