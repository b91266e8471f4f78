# Runs one scenario script through antraid-script and compares its output
# with the expected file beside it.
file(REMOVE_RECURSE ${WORKDIR})
file(MAKE_DIRECTORY ${WORKDIR})
get_filename_component(dir ${SCRIPT} DIRECTORY)
get_filename_component(name ${SCRIPT} NAME_WE)
execute_process(COMMAND ${EXE} --seed 1 --app-path ${WORKDIR} ${SCRIPT}
  WORKING_DIRECTORY ${WORKDIR}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
set(actual "${out}")
if(err)
  string(APPEND actual "stderr: ${err}")
endif()
string(APPEND actual "exit: ${rc}\n")
file(READ ${dir}/${name}.expected expected)
if(NOT actual STREQUAL expected)
  file(WRITE ${WORKDIR}/actual.txt "${actual}")
  message(FATAL_ERROR "Output differs from ${name}.expected; actual output in ${WORKDIR}/actual.txt:\n${actual}")
endif()
