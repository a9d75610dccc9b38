# cmake -DSOURCE=dir -DDEST=dir -P CopyIfPresent.cmake
# Copies a folder's content when the folder exists; the destination is made either way.
file(MAKE_DIRECTORY "${DEST}")
if(EXISTS "${SOURCE}")
  file(COPY "${SOURCE}/" DESTINATION "${DEST}")
endif()
