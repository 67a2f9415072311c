# Sourced by the build scripts: compiles through ccache where it is installed, so that a build
# in another checkout of the same sources (CI clones afresh each time) reuses the objects.
# Sets compiler_cache to the CMake arguments, empty without ccache.
compiler_cache=()
if command -v ccache >/dev/null; then
    compiler_cache=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    # Paths below the checkout count as relative, and the build folder's own path is left out
    # of the hash: debug information may then name the folder of the build that filled the
    # cache, which no test reads.
    export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
fi
