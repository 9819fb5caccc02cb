# Joins static archives into one through an ar MRI script:
#   cmake -DAR=<ar> -DSCRIPT=<script.mri> -P join_archives.cmake
execute_process(COMMAND ${AR} -M INPUT_FILE ${SCRIPT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${AR} -M could not join the archives of ${SCRIPT}: ${status}")
endif()
