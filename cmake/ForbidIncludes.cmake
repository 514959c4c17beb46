# cmake -D FOLDER=dir -D FORBIDDEN=app,bar -D STAMP=file -P ForbidIncludes.cmake
# Fails when a source of FOLDER includes a header of a FORBIDDEN folder (quoted or angled, with
# or without a leading ../), so that a folder lower in the layers cannot come to depend on one
# above it; touches STAMP when none does.
string(REPLACE "," ";" forbidden "${FORBIDDEN}")
file(GLOB files ${FOLDER}/*.h ${FOLDER}/*.cpp)
foreach(file IN LISTS files)
  file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS includes)
    foreach(folder IN LISTS forbidden)
      if(line MATCHES "[\"</]${folder}/")
        message(FATAL_ERROR "${file}: `${line}` reaches into ${folder}/, above this folder")
      endif()
    endforeach()
  endforeach()
endforeach()
file(TOUCH ${STAMP})
