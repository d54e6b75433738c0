# The program loads four font files by fixed names; each is filled from a free font of
# Debian's font packages. A font that is not installed is skipped: the program starts without it.
set(pairs
  "Simplified_Chinese.ttf|/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc"
  "Tessalun-Regular.otf|/usr/share/fonts/truetype/noto/NotoSans-Regular.ttf"
  "NotoSansThai-Regular.ttf|/usr/share/fonts/truetype/noto/NotoSansThai-Regular.ttf"
  "NotoSansCJKtc-Regular.otf|/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc")
file(MAKE_DIRECTORY ${DEST})
foreach(pair IN LISTS pairs)
  string(REPLACE "|" ";" fields "${pair}")
  list(GET fields 0 name)
  list(GET fields 1 source)
  if(EXISTS "${source}" AND NOT EXISTS "${DEST}/${name}")
    file(COPY_FILE "${source}" "${DEST}/${name}" ONLY_IF_DIFFERENT)
  endif()
endforeach()
