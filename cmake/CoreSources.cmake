# The portable core: every rule of the program, no Windows header. Listed once, here, for the
# program's build and the native one.
set(ORVANTO_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/../src/common/KavelModules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../src/common/NumberText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../src/common/Wildcard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../src/calc/Calculation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../src/cffl/CfflFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../src/cffl/FolderLists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../src/app/CommandLine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../src/app/WindowLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../src/app/frm_Main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../src/app/CalculationHandlers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../src/app/CfflHandlers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../src/app/FolderHandlers.cpp
)
