# vytjni.jar: the binding classes, compiled for Java 8, every native of VYT_JAR_NATIVES under
# META-INF/native/<platform>/ with its SHA-256 beside it, and META-INF/LICENSE; its Maven layout
# and install rules (VytMaven.cmake).
include(${CMAKE_CURRENT_LIST_DIR}/VytMaven.cmake)

# vyt_manifest(<file> TITLE <title> [MAIN_CLASS <class>] [CLASS_PATH <jars>]) writes a manifest
# with the project's version; a jar with a main class is run with -jar, so it also allows native
# access to the class path's code.
function(vyt_manifest file)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "TITLE;MAIN_CLASS;CLASS_PATH" "")
  set(text "Implementation-Title: ${arg_TITLE}\nImplementation-Version: ${PROJECT_VERSION}\n")
  if(arg_MAIN_CLASS)
    string(APPEND text "Main-Class: ${arg_MAIN_CLASS}\nEnable-Native-Access: ALL-UNNAMED\n")
  endif()
  if(arg_CLASS_PATH)
    # A manifest line holds at most 72 bytes: one entry per continuation line (" " + " entry").
    string(REGEX REPLACE " +" ";" _entries "${arg_CLASS_PATH}")
    list(REMOVE_ITEM _entries "")
    list(REMOVE_DUPLICATES _entries)
    list(POP_FRONT _entries _first)
    string(APPEND text "Class-Path: ${_first}")
    foreach(e IN LISTS _entries)
      string(APPEND text "\n  ${e}")
    endforeach()
    string(APPEND text "\n")
  endif()
  file(CONFIGURE OUTPUT ${file} CONTENT "${text}")
endfunction()

# The binding sources as compiled: the loader gets the project's version written in.
file(GLOB _binding_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/java/src/*.java)
set(VYT_BINDING_SOURCE_DIR ${PROJECT_BINARY_DIR}/vytjni-src)
set(VYT_BINDING_SOURCES)
foreach(f IN LISTS _binding_sources)
  cmake_path(GET f FILENAME n)
  if(n STREQUAL "VYTjniLoader.java")
    configure_file(${f} ${VYT_BINDING_SOURCE_DIR}/${n} @ONLY)
  else()
    configure_file(${f} ${VYT_BINDING_SOURCE_DIR}/${n} COPYONLY)
  endif()
  list(APPEND VYT_BINDING_SOURCES ${VYT_BINDING_SOURCE_DIR}/${n})
endforeach()
set(_classes ${PROJECT_BINARY_DIR}/vytjni-classes)
set(_javac_flags --release 8 -encoding UTF-8 -Xlint:all)
if(VYT_WERROR)
  list(APPEND _javac_flags -Werror)
endif()
add_custom_command(OUTPUT ${_classes}.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${_classes}
  COMMAND ${Java_JAVAC_EXECUTABLE} ${_javac_flags} -d ${_classes} ${VYT_BINDING_SOURCES}
  COMMAND ${CMAKE_COMMAND} -E touch ${_classes}.stamp
  DEPENDS ${VYT_BINDING_SOURCES}
  COMMENT "Compiling the binding classes for Java 8")

vyt_manifest(${PROJECT_BINARY_DIR}/vytjni.manifest TITLE VYTjni)
set(VYT_JAR ${PROJECT_BINARY_DIR}/vytjni.jar)
set(_natives)
set(_native_files)
foreach(pair IN LISTS VYT_JAR_NATIVES)
  string(REPLACE "=" ";" pv "${pair}")
  list(GET pv 1 f)
  list(APPEND _native_files ${f})
  string(APPEND _natives ",${pair}")
endforeach()
add_custom_command(OUTPUT ${VYT_JAR}
  COMMAND ${CMAKE_COMMAND} -DOUT=${VYT_JAR} -DCLASSES=${_classes} "-DNATIVES=${_natives}" -DLICENSE=${VYT_LICENSE_FILE}
          -DMANIFEST=${PROJECT_BINARY_DIR}/vytjni.manifest -DJAR=${Java_JAR_EXECUTABLE}
          -P ${PROJECT_SOURCE_DIR}/cmake/VytJarPack.cmake
  DEPENDS ${_classes}.stamp ${_native_files} ${VYT_NATIVE_TARGETS} ${PROJECT_BINARY_DIR}/vytjni.manifest
          ${PROJECT_SOURCE_DIR}/cmake/VytJarPack.cmake ${VYT_LICENSE_FILE}
  COMMENT "Packing vytjni.jar with the natives of ${VYT_JAR_NATIVES}")
add_custom_target(vytjni_jar ALL DEPENDS ${VYT_JAR})
set_target_properties(vytjni_jar PROPERTIES JAR_FILE ${VYT_JAR})

vyt_maven_artifact(vytjni_jar GROUP ${VYT_MAVEN_GROUP} ARTIFACT vytjni POM ${PROJECT_SOURCE_DIR}/cmake/vytjni.pom.in
                   SOURCE_DIRS ${VYT_BINDING_SOURCE_DIR} RELEASE 8)
