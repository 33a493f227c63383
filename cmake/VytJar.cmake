# vytjni.jar: the binding classes, compiled for Java 8, and every native of VYT_JAR_NATIVES under
# META-INF/native/<platform>/ with its SHA-256 beside it; the sources jar and the POM for the
# Maven layout; the install rules of all three.

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
    string(APPEND text "Class-Path: ${arg_CLASS_PATH}\n")
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
  COMMAND ${CMAKE_COMMAND} -DOUT=${VYT_JAR} -DCLASSES=${_classes} "-DNATIVES=${_natives}"
          -DMANIFEST=${PROJECT_BINARY_DIR}/vytjni.manifest -DJAR=${Java_JAR_EXECUTABLE}
          -P ${PROJECT_SOURCE_DIR}/cmake/VytJarPack.cmake
  DEPENDS ${_classes}.stamp ${_native_files} ${VYT_NATIVE_TARGETS} ${PROJECT_BINARY_DIR}/vytjni.manifest
          ${PROJECT_SOURCE_DIR}/cmake/VytJarPack.cmake
  COMMENT "Packing vytjni.jar with the natives of ${VYT_JAR_NATIVES}")
add_custom_target(vytjni_jar ALL DEPENDS ${VYT_JAR})
set_target_properties(vytjni_jar PROPERTIES JAR_FILE ${VYT_JAR})

# The sources jar and the POM of the Maven layout.
set(VYT_SOURCES_JAR ${PROJECT_BINARY_DIR}/vytjni-${PROJECT_VERSION}-sources.jar)
set(_src_args)
foreach(f IN LISTS VYT_BINDING_SOURCES)
  cmake_path(GET f FILENAME n)
  list(APPEND _src_args -C ${PROJECT_SOURCE_DIR}/java/src ${n})
endforeach()
add_custom_command(OUTPUT ${VYT_SOURCES_JAR}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${VYT_SOURCES_JAR}
  COMMAND ${Java_JAR_EXECUTABLE} --create --file ${VYT_SOURCES_JAR} --manifest ${PROJECT_BINARY_DIR}/vytjni.manifest
          ${_src_args}
  DEPENDS ${VYT_BINDING_SOURCES} ${PROJECT_BINARY_DIR}/vytjni.manifest)
add_custom_target(vytjni_sources_jar ALL DEPENDS ${VYT_SOURCES_JAR})
configure_file(${PROJECT_SOURCE_DIR}/cmake/vytjni.pom.in ${PROJECT_BINARY_DIR}/vytjni-${PROJECT_VERSION}.pom @ONLY)

# Installed as <datadir>/java/vytjni-X.Y.Z.jar with the link vytjni.jar, and as a local Maven
# repository in <datadir>/maven-repo/<group>/vytjni/X.Y.Z/ whose jar links to it (Debian's layout).
set(_javadir ${CMAKE_INSTALL_DATADIR}/java)
string(REPLACE "." "/" _group_path "${VYT_MAVEN_GROUP}")
set(_mavendir ${CMAKE_INSTALL_DATADIR}/maven-repo/${_group_path}/vytjni/${PROJECT_VERSION})
file(RELATIVE_PATH _jar_from_maven /d/${_mavendir} /d/${_javadir}/vytjni-${PROJECT_VERSION}.jar)
install(FILES ${VYT_JAR} DESTINATION ${_javadir} RENAME vytjni-${PROJECT_VERSION}.jar)
install(FILES ${PROJECT_BINARY_DIR}/vytjni-${PROJECT_VERSION}.pom ${VYT_SOURCES_JAR} DESTINATION ${_mavendir})
install(CODE "
  set(_root \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
  file(CREATE_LINK vytjni-${PROJECT_VERSION}.jar \"\${_root}/${_javadir}/vytjni.jar\" SYMBOLIC)
  file(CREATE_LINK ${_jar_from_maven} \"\${_root}/${_mavendir}/vytjni-${PROJECT_VERSION}.jar\" SYMBOLIC)
  message(STATUS \"Linked: \${_root}/${_javadir}/vytjni.jar, \${_root}/${_mavendir}/vytjni-${PROJECT_VERSION}.jar\")")
