# The library quenbrack_core: the document model, the plot table file and
# the names under the program folder. Qt Core only, so that the tests, the
# benchmark and the fuzzer can build it on its own.
set(QUENBRACK_SRC "${CMAKE_CURRENT_LIST_DIR}/../src")
add_library(quenbrack_core STATIC
    "${QUENBRACK_SRC}/app/CaseInsensitivePath.cpp"
    "${QUENBRACK_SRC}/app/RegFunc.cpp"
    "${QUENBRACK_SRC}/document/ElementArray.cpp"
    "${QUENBRACK_SRC}/document/PlotNumber.cpp"
    "${QUENBRACK_SRC}/document/PlotTable.cpp"
    "${QUENBRACK_SRC}/document/PlotTableReader.cpp"
    "${QUENBRACK_SRC}/document/PlotTableWriter.cpp"
    "${QUENBRACK_SRC}/document/PlotTextCodec.cpp"
    "${QUENBRACK_SRC}/palette/IconSet.cpp"
)
target_include_directories(quenbrack_core PUBLIC
    "${QUENBRACK_SRC}/app" "${QUENBRACK_SRC}/document" "${QUENBRACK_SRC}/palette")
target_link_libraries(quenbrack_core PUBLIC Qt6::Core)
