# The program's resources, compiled into the binary: the build tool
# EmbedResources turns every file under resources/ (templates, images, the
# toolbar strips it assembles) into one generated source with a constant
# table, built as the object library `quorvel_resources`. The top
# CMakeLists adds it to the program; the platform tests link it too (below),
# since they load every template.
add_executable(EmbedResources ${CMAKE_CURRENT_LIST_DIR}/generator/EmbedResources.cpp)
target_link_libraries(EmbedResources PRIVATE PkgConfig::PNG)
# The tool runs at build time and must not need the sanitizer runtime's
# leak checker to pass.
target_compile_options(EmbedResources PRIVATE -fno-sanitize=all)
target_link_options(EmbedResources PRIVATE -fno-sanitize=all)

file(GLOB_RECURSE QUORVEL_RESOURCE_FILES CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_LIST_DIR}/dialogs/*.dlg
     ${CMAKE_CURRENT_LIST_DIR}/menus/*.menu
     ${CMAKE_CURRENT_LIST_DIR}/accelerators/*.accel
     ${CMAKE_CURRENT_LIST_DIR}/bitmaps/*.png
     ${CMAKE_CURRENT_LIST_DIR}/icons/*.png
     ${CMAKE_CURRENT_LIST_DIR}/cursors/*.png
     ${CMAKE_CURRENT_LIST_DIR}/cursors/*.hotspot
     ${CMAKE_CURRENT_LIST_DIR}/toolbars/*)

set(QUORVEL_RESOURCE_SOURCE ${CMAKE_BINARY_DIR}/generated/QuorvelResourceTable.cpp)
add_custom_command(
  OUTPUT ${QUORVEL_RESOURCE_SOURCE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
  COMMAND EmbedResources ${QUORVEL_RESOURCE_SOURCE} ${CMAKE_CURRENT_LIST_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${QUORVEL_RESOURCE_SOURCE}
  DEPENDS EmbedResources ${QUORVEL_RESOURCE_FILES}
  COMMENT "Embedding the resources"
  VERBATIM)

add_library(quorvel_resources OBJECT ${QUORVEL_RESOURCE_SOURCE})
target_include_directories(quorvel_resources PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(quorvel_resources PUBLIC platform)

# The platform's tests are defined after this file is included; link the
# table into them once every target exists.
function(quorvel_link_resources_into_platform_tests)
  if(TARGET test_platform)
    target_link_libraries(test_platform PRIVATE quorvel_resources)
  endif()
endfunction()
cmake_language(DEFER CALL quorvel_link_resources_into_platform_tests)
