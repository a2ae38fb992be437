#!/usr/bin/env bash
# Plants each fault of scripts/planted-faults.txt in a scratch copy of the tree,
# one at a time, and reports which tests catch it. Run on demand, never in CI:
#   scripts/mutants.sh                    every fault
#   scripts/mutants.sh --only src/model/store   the faults planted under one folder
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
command -v python3 >/dev/null || "$here/scripts/install-packages.sh" python3
exec python3 "$here/scripts/mutants.py" "$@"
