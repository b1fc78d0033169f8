#!/usr/bin/env bash
# The test command: installs what is missing, builds, starts the virtual screen and Wine, runs ctest.
set -euo pipefail
here=$(dirname "$0")
"$here/setup-deps.sh"
"$here/build.sh"
"$here/wine-session.sh"
source "$here/env.sh"
cd "$QZ_BUILD"
ctest --output-on-failure --timeout 300 "$@"
