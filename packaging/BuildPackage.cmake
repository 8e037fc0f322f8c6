# Stages exactly the product's files in the device's places, with the modes
# the device expects, and builds the package from that tree alone.
#   cmake -DSTAGE= -DOUTPUT= -DCONTROL= -DENGINE= -DFILTER= -DBUNDLE= -DBUNDLE_DATA=a|b -DENTRY= -P BuildPackage.cmake
set(directoryMode OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(programMode ${directoryMode})
set(dataMode OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

# The tree is made afresh, so nothing left from an earlier build is shipped.
file(REMOVE_RECURSE ${STAGE})

function(make_folder path)
  if(IS_DIRECTORY ${STAGE}/${path} OR path STREQUAL "")
    return()
  endif()
  get_filename_component(parent ${path} DIRECTORY)
  make_folder("${parent}")
  file(MAKE_DIRECTORY ${STAGE}/${path})
  file(CHMOD ${STAGE}/${path} PERMISSIONS ${directoryMode})
endfunction()

function(put source path mode)
  if(NOT EXISTS ${source})
    message(FATAL_ERROR "missing from the build: ${source}")
  endif()
  get_filename_component(parent ${path} DIRECTORY)
  make_folder(${parent})
  file(COPY_FILE ${source} ${STAGE}/${path})
  file(CHMOD ${STAGE}/${path} PERMISSIONS ${${mode}})
endfunction()

file(MAKE_DIRECTORY ${STAGE})
file(CHMOD ${STAGE} PERMISSIONS ${directoryMode})
put(${CONTROL} DEBIAN/control dataMode)

set(substrate Library/MobileSubstrate/DynamicLibraries)
put(${ENGINE} ${substrate}/Vantorel.dylib programMode)
put(${FILTER} ${substrate}/Vantorel.plist dataMode)

set(pane Library/PreferenceBundles/VantorelPrefs.bundle)
put(${BUNDLE}/VantorelPrefs ${pane}/VantorelPrefs programMode)
string(REPLACE "|" ";" bundleData "${BUNDLE_DATA}")
foreach(name ${bundleData})
  put(${BUNDLE}/${name} ${pane}/${name} dataMode)
endforeach()

put(${ENTRY} Library/PreferenceLoader/Preferences/VantorelPrefs.plist dataMode)

get_filename_component(packages ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${packages})
execute_process(COMMAND dpkg-deb --root-owner-group -Zxz --build ${STAGE} ${OUTPUT}.part
                OUTPUT_QUIET RESULT_VARIABLE built)
if(NOT built EQUAL 0)
  file(REMOVE ${OUTPUT}.part)
  message(FATAL_ERROR "dpkg-deb could not build ${OUTPUT}")
endif()
file(RENAME ${OUTPUT}.part ${OUTPUT})
