# Runs pandoc on the manual's sources, in order (cmake -P, from docs/CMakeLists.txt):
#   cmake -DPANDOC=pandoc -DVERSION=1.0.0 -DPICTURES=FOLDER -DOUTPUT=PDF "-DSOURCES=A.md|B.md"
#         -P typeset-manual.cmake
# Pictures are looked for in FOLDER, then beside this script. The date on the title page is
# today's, or that of SOURCE_DATE_EPOCH when it is set, so that a reproducible build gives the
# same PDF. pandoc runs in the current folder, which the build keeps outside the sources.
set(docs ${CMAKE_CURRENT_LIST_DIR})
string(REPLACE "|" ";" sources "${SOURCES}")
string(TIMESTAMP date "%Y-%m-%d" UTC)
execute_process(
    COMMAND ${PANDOC} --defaults=${docs}/manual.yaml --resource-path=${PICTURES}:${docs}
            "--metadata=date:Version ${VERSION}, ${date}" --output=${OUTPUT}
            ${sources}
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    file(REMOVE ${OUTPUT})
    message(FATAL_ERROR "pandoc could not typeset ${OUTPUT}")
endif()
