# Third-party packages, and gui_deps: one interface target carrying wxWidgets and Boost for our
# own targets. Installed consumers get the same through gui-config.cmake.
find_package(wxWidgets 3.2 REQUIRED COMPONENTS xrc core base)
find_package(Boost 1.74 REQUIRED COMPONENTS filesystem thread)
find_package(OpenSSL REQUIRED COMPONENTS Crypto)

add_library(gui_deps INTERFACE)
target_include_directories(gui_deps SYSTEM INTERFACE ${wxWidgets_INCLUDE_DIRS})
target_compile_definitions(gui_deps INTERFACE ${wxWidgets_DEFINITIONS})
# wxWidgets_CXX_FLAGS carries -pthread and friends as one string.
separate_arguments(GUI_WX_CXX_FLAGS UNIX_COMMAND "${wxWidgets_CXX_FLAGS}")
target_compile_options(gui_deps INTERFACE ${GUI_WX_CXX_FLAGS})
target_link_libraries(gui_deps INTERFACE ${wxWidgets_LIBRARIES} Boost::boost Boost::filesystem
                                         Boost::thread)

# The toolkit presents frames through cairo, the library GTK draws with; the frame benchmark
# also talks to GDK and Xlib directly.
find_package(PkgConfig REQUIRED)
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)
# Frames go straight to X11 windows through Xlib and its shared-memory extension.
pkg_check_modules(X11_PRESENT REQUIRED IMPORTED_TARGET x11 xext gtk+-3.0 atk)
# Text in scripts written right to left, or shaped into clusters, is positioned through the
# layout wxWidgets draws it with.
pkg_check_modules(PANGO REQUIRED IMPORTED_TARGET pangocairo)
# Programs that drive the gallery with random input close its native menus through GTK, and
# windows follow the desktop's choice of a dark look from its settings.
pkg_check_modules(GTK3 REQUIRED IMPORTED_TARGET gtk+-3.0)
# Where GIO's modules are installed: the high-contrast switch is read only where dconf is.
pkg_get_variable(GIO_MODULE_DIR gio-2.0 giomoduledir)
