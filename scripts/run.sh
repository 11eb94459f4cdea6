#!/usr/bin/env bash
# Installs what is missing, builds, then renders a sample text with
# brivo-render into Morse.WAV in the current folder.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
"$here/scripts/build.sh" dev >/dev/null
text=${1:-"CQ CQ DE BRIVO"}
"$here/build/dev/cli/brivo-render" "$text"
echo "Fichier WAV écrit : $(pwd)/Morse.WAV"
