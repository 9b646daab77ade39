# Sourced by rebuild.sh and check.sh: makes sure the tools that build the painter are there,
# installing them from Debian's packages when run as root.

have_art_tools() {
    command -v cmake >/dev/null && command -v ninja >/dev/null && command -v g++ >/dev/null &&
        command -v pkg-config >/dev/null && pkg-config --exists cairo libpng
}

ensure_art_tools() {
    if have_art_tools; then
        return
    fi
    if [ "$(id -u)" -ne 0 ]; then
        echo "art: needs cmake, ninja-build, g++, pkg-config, libcairo2-dev and libpng-dev" >&2
        exit 1
    fi
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq cmake ninja-build g++ pkg-config \
        libcairo2-dev libpng-dev >/dev/null
}
