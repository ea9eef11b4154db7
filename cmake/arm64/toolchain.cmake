# Cross-building for 64-bit ARM (Raspberry Pi OS 64-bit and other arm64 Debian 12 systems) with
# Debian's cross compiler and the arm64 libraries installed beside the machine's own (multiarch).
# Qt's code generators (moc, rcc, uic) are the machine's own; programs built here run through
# qemu, which is also how CTest starts the test programs.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
# The arm64 C library and loader come from the multiarch folders too (libc6:arm64), not from the
# cross compiler's /usr/aarch64-linux-gnu: that loader, of another build of the C library than the
# libc6:arm64 the libraries are loaded with, hangs in libmpv.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64-static)

# Libraries and headers from the multiarch folders, programs from the machine.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

# pkg-config reads only the arm64 descriptions, and the one below for libmpv.
set(ENV{PKG_CONFIG_LIBDIR}
    "${CMAKE_CURRENT_LIST_DIR}/pkgconfig:/usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig")
# The package's dependencies are found in the arm64 packages' shlibs files.
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE arm64)
