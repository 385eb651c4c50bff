# Runs both generators into WORK_DIR and compares their output with the committed files.
foreach(pair "${MAKE_BANNER};banner.bmp" "${MAKE_ICON};orvane.ico")
  list(GET pair 0 tool)
  list(GET pair 1 name)
  execute_process(COMMAND ${tool} ${WORK_DIR}/${name} RESULT_VARIABLE status TIMEOUT 60)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${tool} failed: ${status}")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/${name} ${RESOURCE_DIR}/${name}
    RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "${name} differs from what its generator writes; run scripts/make-resources.sh")
  endif()
endforeach()
