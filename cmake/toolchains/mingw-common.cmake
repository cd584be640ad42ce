# What both mingw-w64 toolchain files share; BM_MINGW_TRIPLET names the
# target. The compilers with the POSIX thread model, since bmtool uses
# std::thread. Everything is linked statically so that the .exe files run
# under wine without a DLL search path. Tests run under wine with a prefix of
# their own in the build folder (created on the first run: 10 to 30 s) and
# with wine's debug messages off, through wine-run.sh (which starts a program
# again when wine could not start it).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${BM_MINGW_TRIPLET})
set(CMAKE_C_COMPILER ${BM_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BM_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${BM_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${BM_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR sh ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh env
    WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix WINEDEBUG=-all wine)
