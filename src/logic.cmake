# wabunko_logic: the editor's pure logic. It links nothing but the C++ standard library
# and has no Qt include path, so a Qt header included here fails the build.
add_library(wabunko_logic STATIC
  ${CMAKE_CURRENT_LIST_DIR}/doc/CharCodes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/doc/DirectoryHistory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/doc/DisplayLineIndex.cpp
  ${CMAKE_CURRENT_LIST_DIR}/doc/FileStamp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/doc/TextBridge.cpp
  ${CMAKE_CURRENT_LIST_DIR}/doc/TextConversions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/doc/LineEnds.cpp
  ${CMAKE_CURRENT_LIST_DIR}/doc/PathParts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/doc/rtf/RtfReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/doc/rtf/RtfWords.cpp
  ${CMAKE_CURRENT_LIST_DIR}/doc/rtf/RtfWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/doc/rtf/CodePages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame/SettingsLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame/ChildGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame/ScreenFit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame/CommandTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame/ToolButtonCatalogue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame/FontLists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame/FavouriteList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/search/DialogPlacement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/search/TextMatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/search/UpwardSearch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/search/ExtensionList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/search/FileHits.cpp
  ${CMAKE_CURRENT_LIST_DIR}/search/FolderWalk.cpp
  ${CMAKE_CURRENT_LIST_DIR}/search/ResultRows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/platform/PosixFolderLister.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings/HotKeyTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings/HotkeyAssignments.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings/ToolbarPageModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings/SettingsPageValues.cpp
  ${CMAKE_CURRENT_LIST_DIR}/view/CompositionStates.cpp
  ${CMAKE_CURRENT_LIST_DIR}/view/FormatArithmetic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/view/KeyboardAidRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/view/NavigationRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/view/TextTools.cpp
  ${CMAKE_CURRENT_LIST_DIR}/view/VerticalGlyphs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/view/VerticalOrigins.cpp
  ${CMAKE_BINARY_DIR}/generated/Cp932Table.cpp
)
target_include_directories(wabunko_logic PUBLIC ${CMAKE_CURRENT_LIST_DIR})
set_target_properties(wabunko_logic PROPERTIES POSITION_INDEPENDENT_CODE ON)

# Unicode <-> code page 932 table, made at build time from glibc iconv.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/generated/Cp932Table.cpp
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
  COMMAND gencp932 ${CMAKE_BINARY_DIR}/generated/Cp932Table.cpp
  DEPENDS gencp932
  COMMENT "Generating the code page 932 table from iconv"
  VERBATIM)
