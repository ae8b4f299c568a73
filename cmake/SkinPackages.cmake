# The skin packages public.rcc, classic.rcc and classic2.rcc in ${QOR_DIST_DIR}/skin/ScreenShotSkin, written by
# tools/skinpack as part of the default build and again whenever the art or a skin text changes. A native build
# builds the tool as an ordinary target; a cross build builds it for the host (its own CMake project in
# ${CMAKE_BINARY_DIR}/skinpack-host, compiled with the host's compiler) and runs it there.
set(QOR_SKIN_DIR "${QOR_DIST_DIR}/skin/ScreenShotSkin")
set(QOR_SKIN_PACKAGES "${QOR_SKIN_DIR}/public.rcc" "${QOR_SKIN_DIR}/classic.rcc" "${QOR_SKIN_DIR}/classic2.rcc")
file(GLOB skin_texts CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/skin/ScreenShotSkin/*.ini")

if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(host_dir "${CMAKE_BINARY_DIR}/skinpack-host")
  set(skinpack_command "${host_dir}/skinpack")
  set(host_args -DCMAKE_BUILD_TYPE=Release)
  foreach(launcher CMAKE_CXX_COMPILER_LAUNCHER)
    if(DEFINED ${launcher} OR DEFINED ENV{${launcher}})
      set(value "${${launcher}}")
      if(NOT value)
        set(value "$ENV{${launcher}}")
      endif()
      list(APPEND host_args "-D${launcher}=${value}")
    endif()
  endforeach()
  # The host build is asked every time (a no-op when nothing changed); the packages follow the tool's file.
  ExternalProject_Add(skinpack_host
    SOURCE_DIR "${CMAKE_SOURCE_DIR}/tools/skinpack"
    BINARY_DIR "${host_dir}"
    CMAKE_ARGS ${host_args}
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS "${skinpack_command}")
  set(skinpack_depends skinpack_host "${skinpack_command}")
else()
  add_subdirectory("${CMAKE_SOURCE_DIR}/tools/skinpack" "${CMAKE_BINARY_DIR}/tools/skinpack")
  set(skinpack_command "$<TARGET_FILE:skinpack>")
  set(skinpack_depends skinpack)
endif()

add_custom_command(
  OUTPUT ${QOR_SKIN_PACKAGES}
  COMMAND "${skinpack_command}" "${CMAKE_SOURCE_DIR}/skin/ScreenShotSkin" "${QOR_SKIN_DIR}"
  DEPENDS ${skinpack_depends} ${skin_texts}
  COMMENT "Writing the skin packages"
  VERBATIM)
add_custom_target(skin_packages ALL DEPENDS ${QOR_SKIN_PACKAGES})
