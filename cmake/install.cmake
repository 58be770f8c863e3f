# What `make install` puts in place and `make package` wraps as a Debian package: the
# shared library (soname from the major version), the static archive, both headers, a
# CMake package (find_package(rsw32) gives rsw32::rsw32) and a pkg-config file, and the
# example programs. Everything is relocatable: the files find each other by relative paths.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set_target_properties(rsw32 PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
target_include_directories(rsw32 INTERFACE $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)

# The installed archive: the library's objects with the public header only (rsw32_static,
# which the tests link, also carries the internal headers).
add_library(rsw32_archive STATIC $<TARGET_OBJECTS:rsw32_objects>)
set_target_properties(rsw32_archive PROPERTIES OUTPUT_NAME rsw32 EXPORT_NAME rsw32_static)
target_include_directories(rsw32_archive INTERFACE $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
                                                   $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
# On Windows a program that links the archive calls the functions directly, not through
# the DLL's import table.
target_compile_definitions(rsw32_archive INTERFACE RSW32_STATIC)
set(RSW32_STATIC_LIBS)
if(WIN32)
  list(APPEND RSW32_STATIC_LIBS gdi32 user32 winspool)
elseif(RSW32_WINDOW_HOST)
  list(APPEND RSW32_STATIC_LIBS SDL2)
endif()
if(RSW32_FONT_RENDERER)
  list(APPEND RSW32_STATIC_LIBS freetype fontconfig)
endif()
if(RSW32_AVI_CODECS)
  list(APPEND RSW32_STATIC_LIBS avformat avcodec swscale avutil)
endif()
list(APPEND RSW32_STATIC_LIBS stdc++)
if(NOT WIN32)
  list(APPEND RSW32_STATIC_LIBS m)
endif()
foreach(lib IN LISTS RSW32_STATIC_LIBS)
  target_link_libraries(rsw32_archive INTERFACE $<LINK_ONLY:${lib}>)
endforeach()
list(JOIN RSW32_STATIC_LIBS ", " RSW32_STATIC_DEPENDS)
list(TRANSFORM RSW32_STATIC_LIBS PREPEND "-l" OUTPUT_VARIABLE RSW32_PC_PRIVATE)
list(JOIN RSW32_PC_PRIVATE " " RSW32_PC_PRIVATE)

install(TARGETS rsw32 rsw32_archive EXPORT rsw32Targets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT library NAMELINK_COMPONENT development
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development)
install(FILES include/rsw32.h include/rsw32_platform.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT development)

set(RSW32_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/rsw32)
install(EXPORT rsw32Targets NAMESPACE rsw32:: DESTINATION ${RSW32_CMAKE_DIR} COMPONENT development)
configure_package_config_file(cmake/rsw32Config.cmake.in ${PROJECT_BINARY_DIR}/rsw32Config.cmake
                              INSTALL_DESTINATION ${RSW32_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/rsw32ConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/rsw32Config.cmake ${PROJECT_BINARY_DIR}/rsw32ConfigVersion.cmake
        DESTINATION ${RSW32_CMAKE_DIR} COMPONENT development)

file(RELATIVE_PATH RSW32_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" RSW32_PC_TO_PREFIX "${RSW32_PC_TO_PREFIX}")
configure_file(cmake/rsw32.pc.in ${PROJECT_BINARY_DIR}/rsw32.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/rsw32.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT development)

# The examples find the library beside them in any prefix.
set(RSW32_EXAMPLES rsw32_first rsw32_demo rsw32_show rsw32_paint rsw32_scene3d rsw32_poster)
set_target_properties(${RSW32_EXAMPLES} PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
install(TARGETS ${RSW32_EXAMPLES} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT examples)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rsw32)
set(CPACK_PACKAGE_VENDOR "rsw32 developers")
set(CPACK_PACKAGE_CONTACT "rsw32 developers <rsw32@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "software raster graphics library (library, development files, examples)")
set(CPACK_PACKAGE_DESCRIPTION "Off-screen buffers at 8, 16, 24 and 32 bits, 2D drawing, pictures, image files and a small 3D pipeline through plain C functions.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
include(CPack)
