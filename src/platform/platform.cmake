# The Linux implementations of the platform services link against these system libraries.
function(mv_platform_dependencies target)
  pkg_check_modules(MV_PLATFORM_LIBS REQUIRED IMPORTED_TARGET GLOBAL
    gstreamer-1.0 gstreamer-pbutils-1.0 espeak-ng libcurl gumbo samplerate)
  target_link_libraries(${target} PUBLIC PkgConfig::MV_PLATFORM_LIBS)
endfunction()
