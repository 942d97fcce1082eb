# Packages of what `cmake --install` puts in place: a Debian package built and checked here, and
# the Windows installer and macOS disk image configured (they are neither built nor tested here).
set(CPACK_PACKAGE_NAME tavelo)
set(CPACK_PACKAGE_VENDOR "The Tavelo developers")
set(CPACK_PACKAGE_CONTACT "The Tavelo developers <tavelo@corvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the skins of Palimo notes")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.corvane.example/palimo")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Tavelo)
set(CPACK_PACKAGE_EXECUTABLES tavelo Tavelo)
set(CPACK_PACKAGE_ICON "${PROJECT_SOURCE_DIR}/res/tavelo.png")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/packaging/debian/copyright")
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR "")

if(WIN32)
    set(CPACK_GENERATOR NSIS)
    set(CPACK_NSIS_DISPLAY_NAME Tavelo)
    set(CPACK_NSIS_MUI_ICON "${PROJECT_SOURCE_DIR}/res/tavelo.ico")
    set(CPACK_NSIS_INSTALLED_ICON_NAME bin/tavelo.exe)
    set(CPACK_NSIS_URL_INFO_ABOUT "${CPACK_PACKAGE_HOMEPAGE_URL}")
    set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
    # The skin file type opens in the editor.
    set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS [[
        WriteRegStr HKCR ".skn" "" "Tavelo.Skin"
        WriteRegStr HKCR "Tavelo.Skin" "" "Palimo note skin"
        WriteRegStr HKCR "Tavelo.Skin\\shell\\open\\command" "" '"$INSTDIR\\bin\\tavelo.exe" "%1"'
    ]])
    set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS [[
        DeleteRegKey HKCR "Tavelo.Skin"
        DeleteRegKey HKCR ".skn"
    ]])
elseif(APPLE)
    set(CPACK_GENERATOR DragNDrop)
    set(CPACK_DMG_VOLUME_NAME Tavelo)
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
    # Follows the synopsis (the summary above); CPack indents it and marks the empty line.
    set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [[A Palimo skin gives a note its whole look: a main image whose transparent
colour cuts the note window into shape, title and message areas, a close
button with a normal and a mouse-over image, colours, fonts and four lines
of information about the skin.

Tavelo edits a skin one component at a time with undo and redo, places
rectangles on a zoomable image view, previews the skin as a live shaped note
window and saves it. The tavelo-skn command does the same work in scripts
and makes the thumbnails file managers show for skins.]])
    # The libraries come from the programs themselves; Qt's platform plugins are loaded at run time.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-desktop-portal, xdg-utils")
    set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
    set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
endif()

include(CPack)
