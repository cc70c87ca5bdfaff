# The media player's button glyphs artgen draws: three looks of nine buttons, as bitmap resources
# named after their files.
set(TARVIMO_PLAYER_GLYPHS)
foreach(look EN DI CL)
  foreach(button MPPLAY MPPAUSE MPSTOP MPNEXT MPPREV MPSTEP MPBACK MPRECORD MPEJECT)
    list(APPEND TARVIMO_PLAYER_GLYPHS ${look}_${button}.bmp)
  endforeach()
endforeach()
