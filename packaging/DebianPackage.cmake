# `cpack -G DEB` in the build folder makes mortgage-calculator_<version>_<arch>.deb from exactly
# what `cmake --install` puts down, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mortgage-calculator)
set(CPACK_PACKAGE_VENDOR "corvala software")
set(CPACK_PACKAGE_CONTACT "corvala software <support@tessary.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Mortgage and loan payment and amortization calculator")
# Lines shorter than 80 characters, for the control file indents each by one, and none begins
# with a full stop, which would read as a control statement.
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop calculator for mortgages and other loans: type a principal, an
annual rate, a term, a first payment date and a payment frequency, and it
computes the level payment and the full amortization schedule with its totals.
Extra payments typed into the schedule shorten it. Loans are saved as small
text files (.tsl), and the schedule can be printed.")
# A package carries the program, not its debugging symbols.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from the binary itself (dpkg-shlibdeps). What it loads at run time or only
# names does not show there: the SVG icon engine draws the icons, and the window's layout and the
# printout are measured in Liberation Sans (which also stands in for Arial).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, libqt6charts6, fonts-liberation | fonts-liberation2")
# The maker's name in the About box is drawn in Comic Neue where it is installed.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-comic-neue")

# `package_source` would otherwise pack the build folders and the repository too.
set(CPACK_SOURCE_GENERATOR TGZ)
# No backslashes: CPack writes these into its own configuration, where one would be read again.
set(CPACK_SOURCE_IGNORE_FILES "/[.]git/" "/build[^/]*/" "/out/")

include(CPack)
