# The compile settings every target of the project uses: the library, the program, the guide
# tool, the tests, the benchmark and the fuzz targets link vestrano_settings.
#
#   VESTRANO_WERROR=ON  turns every warning into an error (CI builds this way, so a new
#                       warning fails the run)

option(VESTRANO_WERROR "Treat compiler warnings as errors" OFF)

if(NOT TARGET vestrano_settings)
    add_library(vestrano_settings INTERFACE)
    target_compile_features(vestrano_settings INTERFACE cxx_std_17)
    target_compile_options(vestrano_settings INTERFACE -Wall -Wextra -Wpedantic)
    if(VESTRANO_WERROR)
        target_compile_options(vestrano_settings INTERFACE -Werror)
    endif()
endif()
