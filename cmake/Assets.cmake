# The program's resources. The default skin stream, the icons, the credit badges and the
# system-menu glyphs are drawn and packed by the native tools (tools/skingen, skinpack, artgen) in a
# native build; a cross build takes them from that build's assets folder. The shipped skin files
# (default.skn, dark.skn) are not embedded: they are copied beside the executable and into
# <cross build>/assets/, where a skin menu or --skin finds them.
set(TARVIMO_HOST_ASSETS_DIR "${CMAKE_SOURCE_DIR}/build/native/assets" CACHE PATH
    "assets/ folder of a native build (default.skn, artwork/)")

function(tarvimo_add_resources target)
  set(host ${TARVIMO_HOST_ASSETS_DIR})
  set(out ${CMAKE_CURRENT_BINARY_DIR}/res)
  include(${CMAKE_SOURCE_DIR}/cmake/PlayerGlyphs.cmake)
  set(art Tarvimo.ico Form2.ico credits.bmp skinmenuglyphs.bmp track.bmp trackvert.bmp
          ${TARVIMO_PLAYER_GLYPHS})
  set(outputs ${out}/SkinData1.bin)
  foreach(f ${art})
    list(APPEND outputs ${out}/art/${f})
  endforeach()
  list(TRANSFORM art PREPEND ${host}/artwork/ OUTPUT_VARIABLE art_inputs)
  add_custom_command(
    OUTPUT ${outputs}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out}/art
    # The form stores SkinStream framed as a binary property: u32 byte count, then the bytes.
    COMMAND python3 ${CMAKE_SOURCE_DIR}/scripts/frame-property.py ${host}/default.skn
            ${out}/SkinData1.bin
    COMMAND ${CMAKE_COMMAND} -E copy ${art_inputs} ${out}/art/
    DEPENDS ${host}/default.skn ${art_inputs} ${CMAKE_SOURCE_DIR}/scripts/frame-property.py
    COMMENT "Taking the default skin and artwork from ${host}"
    VERBATIM)
  set(skins default.skn dark.skn)
  list(TRANSFORM skins PREPEND ${host}/ OUTPUT_VARIABLE skin_inputs)
  list(TRANSFORM skins PREPEND ${CMAKE_CURRENT_BINARY_DIR}/ OUTPUT_VARIABLE skin_outputs)
  add_custom_command(
    OUTPUT ${skin_outputs}
    COMMAND ${CMAKE_COMMAND} -E copy ${skin_inputs} ${CMAKE_CURRENT_BINARY_DIR}/
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/assets
    COMMAND ${CMAKE_COMMAND} -E copy ${skin_inputs} ${CMAKE_BINARY_DIR}/assets/
    DEPENDS ${skin_inputs}
    COMMENT "Taking the shipped skin files from ${host}"
    VERBATIM)
  target_sources(${target} PRIVATE ${skin_outputs})
  set(rc ${CMAKE_SOURCE_DIR}/src/app/res/Tarvimo.rc)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS
    "${outputs};${CMAKE_SOURCE_DIR}/src/ui/Tarvimo.manifest")
  target_sources(${target} PRIVATE ${rc} ${outputs})
  # The version record names the executable it is in.
  set(version_dir ${CMAKE_CURRENT_BINARY_DIR}/version-${target})
  set(description "Tarvimo ${target}")
  if(target STREQUAL "Tarvimo")
    set(description "Tarvimo top10 search")
  elseif(target STREQUAL "SkinGallery")
    set(description "Tarvimo skin gallery")
  endif()
  file(CONFIGURE OUTPUT ${version_dir}/TargetVersion.h CONTENT
"#define TARVIMO_FILE_DESCRIPTION \"${description}\"
#define TARVIMO_ORIGINAL_FILENAME \"${target}.exe\"
")
  target_include_directories(${target} PRIVATE ${out} ${version_dir} ${CMAKE_SOURCE_DIR}/src/app/res
                                               ${CMAKE_SOURCE_DIR}/src/ui)
endfunction()
