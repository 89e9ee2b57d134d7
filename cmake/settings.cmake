# The compile settings every target of the project uses: the library, the program, the guide
# tool, the tests, the benchmark and the fuzz targets link vestrano_settings.
#
#   VESTRANO_WERROR=ON  turns every warning into an error (CI builds this way, so a new
#                       warning fails the run)
#
# Qt is held to explicit conversions: no QString turned into a char pointer behind the
# reader's back, and no signal argument narrowed on its way into a slot.

option(VESTRANO_WERROR "Treat compiler warnings as errors" OFF)

if(NOT TARGET vestrano_settings)
    add_library(vestrano_settings INTERFACE)
    target_compile_features(vestrano_settings INTERFACE cxx_std_17)
    target_compile_options(vestrano_settings INTERFACE -Wall -Wextra -Wpedantic)
    target_compile_definitions(vestrano_settings INTERFACE
        QT_NO_CAST_TO_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
    if(VESTRANO_WERROR)
        target_compile_options(vestrano_settings INTERFACE -Werror)
    endif()
endif()
