# Runs lupdate over the code into copies of translations/*.ts and fails when a copy comes out
# different from its original: a text was added, changed or removed in the code and the
# translations were not brought up to date (scripts/translations does it).
#   cmake -DLUPDATE=<lupdate> -DSOURCES=<a.cpp|b.h|...> -DOPTIONS=<a|b|...> -DTS_FILES=<x|y|...>
#         -DWORK=<scratch dir> -P translations_up_to_date.cmake
# The sources are the ones the update_translations target hands to lupdate. They are given in a
# list file rather than through the project description that target writes, whose name and place
# change from one Qt version to the next.
string(REPLACE "|" ";" options "${OPTIONS}")
string(REPLACE "|" ";" ts_files "${TS_FILES}")
if(NOT ts_files)
  message(FATAL_ERROR "no translations given")
endif()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
string(REPLACE "|" "\n" sources "${SOURCES}")
file(WRITE "${WORK}/sources.lst" "${sources}\n")

set(copies "")
foreach(ts IN LISTS ts_files)
  get_filename_component(name "${ts}" NAME)
  file(COPY_FILE "${ts}" "${WORK}/${name}")
  list(APPEND copies "${WORK}/${name}")
endforeach()
execute_process(COMMAND "${LUPDATE}" -silent ${options} "@${WORK}/sources.lst" -ts ${copies}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "lupdate failed")
endif()

set(stale "")
foreach(ts IN LISTS ts_files)
  get_filename_component(name "${ts}" NAME)
  file(READ "${ts}" original)
  file(READ "${WORK}/${name}" updated)
  if(NOT original STREQUAL updated)
    list(APPEND stale "${name}")
    execute_process(COMMAND diff -u "${ts}" "${WORK}/${name}")
  endif()
endforeach()
if(stale)
  list(JOIN stale ", " stale)
  message(FATAL_ERROR "not up to date with the code: ${stale}; run scripts/translations and translate "
                      "what it marks unfinished")
endif()
list(LENGTH ts_files count)
message(STATUS "${count} translations hold exactly the texts of the code")
