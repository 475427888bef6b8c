# Debian packages the build needs, those the tests and the benchmarks need besides.
build_packages=(cmake ninja-build g++ qt6-base-dev libgl-dev fonts-dejavu-core help2man libhwy-dev)
# The Debian packages, built as Debian builds them.
packaging_packages=(debhelper dpkg-dev)
test_packages=(libgtest-dev xvfb xdotool xclip python3 python3-xlib dpkg-dev file
               desktop-file-utils appstream lintian dbus-daemon at-spi2-core python3-gi
               gir1.2-atspi-2.0 procps qt6ct python3-yaml python3-jsonschema)
# The clang build, its sanitizers' run-time and libFuzzer among it: the release's own clang.
fuzz_packages=(clang libclang-rt-dev)
# The Windows cross build and its tests under Wine; Debian's Python, with the Windows Installer
# library's bindings, stamps the MSI with its date and package code.
windows_packages=(mingw-w64 googletest wine wine64 fonts-wine nsis wixl msitools python3-gi
                  gir1.2-libmsi-1.0)
# The benchmarks, and what the side-by-side benchmark of karsobel-pairs measures with.
bench_packages=(libbenchmark-dev time)
# The web page: the WebAssembly build, the minifier of its scripts, a server for it, and its test
# in Chromium, Firefox ESR and WebKitGTK (its WebDriver and MiniBrowser) through npm's clients. Node.js and npm come with the
# machine where it has them (test.sh asks for Debian's otherwise).
web_packages=(emscripten terser cmake ninja-build python3 chromium firefox-esr webkit2gtk-driver xvfb)
# The release: Authenticode signing and its checks, checksums signed with OpenPGP, the apt
# repository, and the Debian packages built and tested in clean roots of each Debian release.
release_packages=(osslsigncode openssl curl gnupg apt-utils sbuild mmdebstrap uidmap python3-jsonschema)
