# Debian packages the build needs, and those the tests need besides.
build_packages=(cmake ninja-build g++ qt6-base-dev libgl-dev fonts-dejavu-core libgtest-dev
                libbenchmark-dev)
test_packages=(xvfb xdotool xclip python3 python3-xlib dpkg-dev file desktop-file-utils appstream
               dbus-daemon at-spi2-core python3-gi gir1.2-atspi-2.0 procps)
# The Windows cross build and its tests under Wine.
windows_packages=(mingw-w64 googletest wine wine64 fonts-wine nsis)
# What the side-by-side benchmark of karsobel-pairs measures with.
bench_packages=(time)
