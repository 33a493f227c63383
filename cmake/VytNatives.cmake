# The natives of the other platforms, each built from these sources in a build tree of its own
# (build/cross/<platform>) with a cross compiler, and with VYT_PLATFORM_TESTS also the C++ tests
# there and in a GCC build tree (build/gcc).  Sets:
#   VYT_JAR_NATIVES        platform=file pairs of every native the jar holds
#   VYT_NATIVE_TARGETS     the targets that make those files
#   VYT_SUBBUILD_<name>    the build tree of each sub-build
include(ExternalProject)

set(VYT_JAR_NATIVES "${VYT_PLATFORM}=${VYT_NATIVE_FILE}")
set(VYT_NATIVE_TARGETS vyt_native)

# The settings every sub-build shares; lists go through the cache so their ';' survive.
set(_vyt_sub_cache
  "-DCMAKE_BUILD_TYPE:STRING=${CMAKE_BUILD_TYPE}"
  # Without debug information: the natives are stripped for the jar, and the tests build twice as fast.
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO:STRING=-O2 -DNDEBUG"
  "-DVYT_JAVA:BOOL=OFF"
  "-DVYT_CROSS_NATIVES:BOOL=OFF"
  "-DVYT_PLATFORM_TESTS:BOOL=OFF"
  "-DVYT_SANITIZERS:BOOL=OFF"
  "-DVYT_INSTALL_STRIP:BOOL=${VYT_INSTALL_STRIP}"
  "-DVYT_WERROR:BOOL=${VYT_WERROR}"
  "-DVYT_SEEDS_DIR:PATH=${VYT_SEEDS_DIR}"
  "-DVYT_JNI_INCLUDE_DIRS:STRING=${VYT_JNI_INCLUDE_DIRS}")

# vyt_subbuild(<name> <folder in the build tree> [BYPRODUCT file] CACHE -D...): target vyt_<name>.
function(vyt_subbuild name folder)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "BYPRODUCT" "CACHE")
  set(dir ${PROJECT_BINARY_DIR}/${folder})
  ExternalProject_Add(vyt_${name}
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${dir}
    PREFIX ${PROJECT_BINARY_DIR}/sub/${name}
    CMAKE_CACHE_ARGS ${_vyt_sub_cache} ${arg_CACHE}
    BUILD_ALWAYS TRUE            # its own ninja decides what is out of date
    BUILD_BYPRODUCTS ${arg_BYPRODUCT}
    INSTALL_COMMAND ""
    USES_TERMINAL_CONFIGURE TRUE  # one sub-build at a time, beside the main build
    USES_TERMINAL_BUILD TRUE)
  set(VYT_SUBBUILD_${name} ${dir} PARENT_SCOPE)
endfunction()

# Each other platform: its compiler and the Debian package that has it.
set(_vyt_cxx_linux-aarch64 aarch64-linux-gnu-g++)
set(_vyt_pkg_linux-aarch64 g++-aarch64-linux-gnu)
set(_vyt_cxx_windows-x86_64 x86_64-w64-mingw32-g++-posix)
set(_vyt_pkg_windows-x86_64 g++-mingw-w64-x86-64-posix)
set(_vyt_name_linux-aarch64 libVYTjni.so)
set(_vyt_name_windows-x86_64 VYTjni.dll)

if(VYT_CROSS_NATIVES AND NOT CMAKE_CROSSCOMPILING)
  foreach(platform linux-aarch64 windows-x86_64)
    if(platform STREQUAL VYT_PLATFORM)
      continue()
    endif()
    find_program(VYT_CXX_${platform} ${_vyt_cxx_${platform}})
    if(NOT VYT_CXX_${platform})
      set(why "${_vyt_cxx_${platform}} was not found (Debian package ${_vyt_pkg_${platform}})")
      if(VYT_PLATFORM_TESTS)
        message(FATAL_ERROR "VYT_PLATFORM_TESTS needs the ${platform} native: ${why}")
      endif()
      message(STATUS "vytjni.jar will not hold a ${platform} native: ${why}")
      continue()
    endif()
    set(file ${PROJECT_BINARY_DIR}/cross/${platform}/native/${_vyt_name_${platform}})
    set(extra "-DCMAKE_TOOLCHAIN_FILE:FILEPATH=${PROJECT_SOURCE_DIR}/cmake/toolchain-${platform}.cmake"
              "-DVYT_TESTS:BOOL=${VYT_PLATFORM_TESTS}" "-DVYT_BENCH:BOOL=OFF")
    if(VYT_PLATFORM_TESTS)
      # GoogleTest for the target, built from Debian's googletest sources.
      list(APPEND extra "-DVYT_GTEST_SOURCE_DIR:PATH=/usr/src/googletest")
    endif()
    if(platform MATCHES "^windows")
      # jni.h of the JDK with the Windows jni_md.h (a Linux JDK has only its own); replaces the shared setting.
      list(GET VYT_JNI_INCLUDE_DIRS 0 jni_h_dir)
      list(APPEND extra "-DVYT_JNI_INCLUDE_DIRS:STRING=${jni_h_dir};${PROJECT_SOURCE_DIR}/cmake/windows")
    endif()
    vyt_subbuild(${platform} cross/${platform} BYPRODUCT ${file} CACHE ${extra})
    list(APPEND VYT_JAR_NATIVES "${platform}=${file}")
    list(APPEND VYT_NATIVE_TARGETS vyt_${platform})
  endforeach()
endif()

# The C++ tests built with GCC too, when the main build uses another compiler.
if(VYT_PLATFORM_TESTS AND NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  find_program(VYT_GXX g++ REQUIRED)
  find_program(VYT_GCC gcc REQUIRED)
  vyt_subbuild(gcc gcc CACHE "-DCMAKE_CXX_COMPILER:FILEPATH=${VYT_GXX}" "-DCMAKE_C_COMPILER:FILEPATH=${VYT_GCC}"
                         "-DVYT_TESTS:BOOL=ON" "-DVYT_BENCH:BOOL=OFF")
endif()
