# Copies the data the program reads at run time (skin/, DefaultData/) beside the executables,
# and the fonts it loads into Font/ (taken from Debian's font packages, missing ones skipped).
add_custom_target(ravo_runtime_data ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/skin ${RAVO_RUNTIME_DIR}/skin
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/DefaultData ${RAVO_RUNTIME_DIR}/DefaultData
  COMMAND ${CMAKE_COMMAND} -DDEST=${RAVO_RUNTIME_DIR}/Font -P ${CMAKE_SOURCE_DIR}/cmake/CopyFonts.cmake
  COMMENT "Copying skin, DefaultData and fonts beside the program")
