# 32-bit x86 Linux with g++-multilib: the unit tests run under qemu-i386-static,
# so 32-bit layouts and arithmetic are tested on a 64-bit machine.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
# -m32 as a part of the compiler, so that CMAKE_CXX_FLAGS given on the command
# line cannot drop it.
set(CMAKE_C_COMPILER gcc -m32)
set(CMAKE_CXX_COMPILER g++ -m32)
# Static programs need no 32-bit loader on the machine that runs them.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386-static)
