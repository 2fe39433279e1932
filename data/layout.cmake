# Lays out the program folder: the programs, the series files, every shipped
# file, and the default settings where the folder has none yet (the user's
# settings are never overwritten).
file(MAKE_DIRECTORY "${FOLDER}")

string(REPLACE "|" ";" PROGRAMS "${PROGRAMS}")
foreach(program IN LISTS PROGRAMS)
  if(program)
    file(COPY "${program}" DESTINATION "${FOLDER}")
  endif()
endforeach()

file(GLOB series "${SERIES}/*.zvd")
file(COPY ${series} DESTINATION "${FOLDER}")

# The crescent orientation pictures of the telescope tool.
if(CRESCENT AND EXISTS "${CRESCENT}")
  file(COPY "${CRESCENT}/" DESTINATION "${FOLDER}/images")
endif()

# The pictures the build draws for the windows.
if(PICTURES)
  file(GLOB pictures "${PICTURES}/*.png")
  if(pictures)
    file(COPY ${pictures} DESTINATION "${FOLDER}")
  endif()
endif()

if(EXISTS "${DATA}/program")
  file(COPY "${DATA}/program/" DESTINATION "${FOLDER}")
endif()

file(GLOB defaults "${DATA}/settings/*")
foreach(file IN LISTS defaults)
  get_filename_component(name "${file}" NAME)
  if(NOT EXISTS "${FOLDER}/${name}")
    file(COPY "${file}" DESTINATION "${FOLDER}")
  endif()
endforeach()

# One adhan recording serves under the three names the alert program plays.
if(EXISTS "${DATA}/sounds/adhan.wav")
  foreach(name fajer.wav haram.wav egypt.wav)
    file(COPY_FILE "${DATA}/sounds/adhan.wav" "${FOLDER}/${name}" ONLY_IF_DIFFERENT)
  endforeach()
endif()
