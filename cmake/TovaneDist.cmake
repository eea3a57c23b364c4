# cmake -DEXE=<linked program> -DOUTPUT_DIR=<folder> -DNAME=<file name> -DSTRIP=<strip tool> -P TovaneDist.cmake
# The release file: the program without its symbol table, and beside it
# NAME.sha256 in sha256sum's format ("<hash>  NAME"), which `sha256sum -c`
# checks. The strip tool would stamp the image with the current time unless
# SOURCE_DATE_EPOCH says otherwise; 0 is what the linker writes.
foreach(arg EXE OUTPUT_DIR NAME STRIP)
  if(NOT ${arg})
    message(FATAL_ERROR "TovaneDist.cmake: ${arg} is not set")
  endif()
endforeach()
file(MAKE_DIRECTORY ${OUTPUT_DIR})
set(ENV{SOURCE_DATE_EPOCH} 0)
execute_process(COMMAND ${STRIP} -o ${OUTPUT_DIR}/${NAME}.tmp ${EXE} RESULT_VARIABLE failed)
if(failed)
  file(REMOVE ${OUTPUT_DIR}/${NAME}.tmp)
  message(FATAL_ERROR "stripping ${EXE} failed")
endif()
file(RENAME ${OUTPUT_DIR}/${NAME}.tmp ${OUTPUT_DIR}/${NAME})
file(SHA256 ${OUTPUT_DIR}/${NAME} hash)
file(WRITE ${OUTPUT_DIR}/${NAME}.sha256 "${hash}  ${NAME}\n")
message(STATUS "${OUTPUT_DIR}/${NAME}  sha256 ${hash}")
