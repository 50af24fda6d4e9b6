# Pictures are drawn by our own code when the programs build: a small generator
# per picture set writes its JPEG and ICO files plus a .qrc, and rcc turns them
# into an object library whose resources register themselves in whatever links it.
#
#   korvessa_picture_resources(<target> <set> HEADER <h> FUNCTION <f> LIBS <drawing code libs>)
function(korvessa_picture_resources target set)
  cmake_parse_arguments(P "" "HEADER;FUNCTION" "LIBS" ${ARGN})
  set(out "${CMAKE_CURRENT_BINARY_DIR}/${set}-pictures")
  set(rcc_cpp "${CMAKE_CURRENT_BINARY_DIR}/${set}-pictures_rcc.cpp")
  set(set_cpp "${CMAKE_CURRENT_BINARY_DIR}/picgen-${set}-set.cpp")
  file(WRITE "${set_cpp}.in" "#include \"${P_HEADER}\"\ndrawing::PictureSet pictureSetToDraw() { return ${P_FUNCTION}(); }\n")
  configure_file("${set_cpp}.in" "${set_cpp}" COPYONLY)
  add_executable(picgen-${set} "${PROJECT_SOURCE_DIR}/tools/picgen/main.cpp" "${set_cpp}")
  target_link_libraries(picgen-${set} PRIVATE ${P_LIBS} Qt6::Gui)
  add_custom_command(
    OUTPUT "${rcc_cpp}"
    COMMAND ${CMAKE_COMMAND} -E rm -rf "${out}"
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:picgen-${set}> "${out}"
    COMMAND Qt6::rcc --name "${set}_pictures" "${out}/pictures.qrc" -o "${rcc_cpp}"
    DEPENDS picgen-${set}
    COMMENT "Drawing the ${set} pictures"
    VERBATIM)
  add_library(${target} OBJECT "${rcc_cpp}")
  target_link_libraries(${target} PRIVATE Qt6::Core)
endfunction()
