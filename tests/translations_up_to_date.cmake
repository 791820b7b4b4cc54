# Runs lupdate over the code into copies of translations/*.ts and fails when a copy comes out
# different from its original: a text was added, changed or removed in the code and the
# translations were not brought up to date (scripts/translations does it).
#   cmake -DLUPDATE=<lupdate> -DPROJECT_DESCRIPTION=<.lupdate/vimbrel_ui_project.cmake>
#         -DPROJECT_SCRIPT=<GenerateLUpdateProject.cmake> -DOPTIONS=<a|b|...> -DTS_FILES=<x|y|...>
#         -DWORK=<scratch dir> -P translations_up_to_date.cmake
string(REPLACE "|" ";" options "${OPTIONS}")
string(REPLACE "|" ";" ts_files "${TS_FILES}")
if(NOT ts_files)
  message(FATAL_ERROR "no translations given")
endif()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
# The same project description that the update_translations target hands to lupdate.
execute_process(COMMAND "${CMAKE_COMMAND}" -DIN_FILE=${PROJECT_DESCRIPTION} -DOUT_FILE=${WORK}/project.json
                        -P "${PROJECT_SCRIPT}"
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "could not write the lupdate project")
endif()

set(copies "")
foreach(ts IN LISTS ts_files)
  get_filename_component(name "${ts}" NAME)
  file(COPY_FILE "${ts}" "${WORK}/${name}")
  list(APPEND copies "${WORK}/${name}")
endforeach()
execute_process(COMMAND "${LUPDATE}" -silent -project "${WORK}/project.json" ${options} -ts ${copies}
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
