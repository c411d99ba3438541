# Fails when a plug-in source includes a host-only header (QVHost/ or QVJson/).
#
# The plug-in must build in the engine unchanged, and the engine has no host-only headers: what the standalone
# runner and the tests need beyond the engine's API lives under host/include/QVHost/ (and the JSON layer under
# host/include/QVJson/), and only code outside QuorvelUnreal/ may include it.
#
# Usage: cmake -DSOURCE_DIR=<dir> [-DSTAMP=<file>] -P QVCheckPluginIncludes.cmake
# Every .h and .cpp below SOURCE_DIR is read; each offending line is reported as file:line: error: ...; STAMP is
# touched when there are none.
cmake_minimum_required(VERSION 3.25)

if(NOT DEFINED SOURCE_DIR)
	message(FATAL_ERROR "QVCheckPluginIncludes: SOURCE_DIR is not set")
endif()

set(QVHostOnlyFolders QVHost QVJson)
list(JOIN QVHostOnlyFolders "|" QVHostOnlyPattern)
set(QVIncludePattern "^[ \t]*#[ \t]*include[ \t]*[<\"](${QVHostOnlyPattern})/")

file(GLOB_RECURSE QVSources "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
set(QVProblems 0)
foreach(QVSource IN LISTS QVSources)
	file(READ "${QVSource}" QVText)
	# One list element per line; characters that are special in CMake lists are masked first.
	string(REPLACE ";" "<semicolon>" QVText "${QVText}")
	string(REPLACE "[" "<open>" QVText "${QVText}")
	string(REPLACE "]" "<close>" QVText "${QVText}")
	string(REPLACE "\\" "<backslash>" QVText "${QVText}")
	string(REPLACE "\n" ";" QVLines "${QVText}")
	set(QVLineNumber 0)
	foreach(QVLine IN LISTS QVLines)
		math(EXPR QVLineNumber "${QVLineNumber} + 1")
		if(QVLine MATCHES "${QVIncludePattern}")
			message(NOTICE "${QVSource}:${QVLineNumber}: error: the plug-in includes the host-only header folder "
				"${CMAKE_MATCH_1}/; the engine has no such header")
			math(EXPR QVProblems "${QVProblems} + 1")
		endif()
	endforeach()
endforeach()

if(NOT QVProblems EQUAL 0)
	message(FATAL_ERROR "${QVProblems} include(s) of host-only headers in ${SOURCE_DIR}")
endif()
if(DEFINED STAMP)
	file(TOUCH "${STAMP}")
endif()
