# Reflection glue for modules of the standalone build: the header tool run over a module's headers.

# qv_register_reflected_headers(Module Header...): records headers of Module, stopping when two share a name
# without extension (their generated files, named after the header, would overwrite each other; the engine requires
# unique header names too). Every call for a module adds to the same record.
function(qv_register_reflected_headers Module)
	get_property(KnownHeaders GLOBAL PROPERTY QV_REFLECTED_HEADERS_${Module})
	foreach(Header IN LISTS ARGN)
		get_filename_component(Name ${Header} NAME_WLE)
		foreach(Known IN LISTS KnownHeaders)
			get_filename_component(KnownName ${Known} NAME_WLE)
			if(Name STREQUAL KnownName)
				message(FATAL_ERROR "Module ${Module} has two reflected headers named ${Name} (${Known} and "
					"${Header}), whose generated files would overwrite each other; header names must be unique "
					"within a module.")
			endif()
		endforeach()
		list(APPEND KnownHeaders ${Header})
	endforeach()
	set_property(GLOBAL PROPERTY QV_REFLECTED_HEADERS_${Module} ${KnownHeaders})
endfunction()

# qv_generate_reflection(Target MODULE Name MODULE_ROOT Dir HEADERS Header...): runs the header tool once over the
# module's headers into ${CMAKE_BINARY_DIR}/generated/<Name>/ (never the source tree), compiles the .gen.cpp files
# into Target and puts the folder on its include path, where the headers find their X.generated.h.
function(qv_generate_reflection Target)
	cmake_parse_arguments(ARG "" "MODULE;MODULE_ROOT" "HEADERS" ${ARGN})
	qv_register_reflected_headers(${ARG_MODULE} ${ARG_HEADERS})
	set(OutputDir ${CMAKE_BINARY_DIR}/generated/${ARG_MODULE})
	set(Outputs)
	foreach(Header IN LISTS ARG_HEADERS)
		get_filename_component(Base ${Header} NAME_WLE)
		list(APPEND Outputs ${OutputDir}/${Base}.generated.h ${OutputDir}/${Base}.gen.cpp)
	endforeach()
	add_custom_command(OUTPUT ${Outputs}
		COMMAND qvheadertool --module ${ARG_MODULE} --module-root ${ARG_MODULE_ROOT} --output ${OutputDir} ${ARG_HEADERS}
		DEPENDS qvheadertool ${ARG_HEADERS}
		COMMENT "Generating reflection for module ${ARG_MODULE}"
		VERBATIM)
	target_sources(${Target} PRIVATE ${Outputs})
	target_include_directories(${Target} PUBLIC ${OutputDir})
endfunction()
