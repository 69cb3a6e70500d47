# Installs the Debian packages that are missing, and only those: a second run does nothing.
# Usage: ensure_packages NAME...
ensure_packages() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "installing: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What building and running the program needs on Linux.
BUILD_PACKAGES=(cmake g++ make libgtest-dev g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest)
RUN_PACKAGES=(wine wine64 xvfb x11-utils imagemagick fonts-wqy-zenhei fonts-wine
              gstreamer1.0-plugins-base gstreamer1.0-plugins-good pulseaudio pulseaudio-utils)
TEST_PACKAGES=(libfaketime lame sox)
