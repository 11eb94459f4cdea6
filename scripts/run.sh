#!/usr/bin/env bash
# Installs what is missing, builds if needed, and starts BRIVO in the current
# folder (where Codmorse.INI and Morse.WAV are kept).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
"$here/scripts/build.sh" dev >/dev/null
exec "$here/build/dev/bin/brivo" "$@"
