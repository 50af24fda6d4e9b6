# Pictures are drawn by our own code when the program builds: the generator writes
# one picture set (JPEG and ICO files plus a .qrc) and rcc turns it into an object
# library whose resources register themselves in whatever links it.
function(korvessa_picture_resources target set)
  set(out "${CMAKE_CURRENT_BINARY_DIR}/${set}-pictures")
  set(rcc_cpp "${CMAKE_CURRENT_BINARY_DIR}/${set}-pictures_rcc.cpp")
  add_custom_command(
    OUTPUT "${rcc_cpp}"
    COMMAND ${CMAKE_COMMAND} -E rm -rf "${out}"
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:picgen> "${set}" "${out}"
    COMMAND Qt6::rcc --name "${set}_pictures" "${out}/pictures.qrc" -o "${rcc_cpp}"
    DEPENDS picgen
    COMMENT "Drawing the ${set} pictures"
    VERBATIM)
  add_library(${target} OBJECT "${rcc_cpp}")
  target_link_libraries(${target} PRIVATE Qt6::Core)
endfunction()
