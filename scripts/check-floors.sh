#!/usr/bin/env bash
# Checks that each floor of src/ includes only itself and the floors below
# it (base < core and physics < ai < settings < screen models; the simulator
# sits on the core and the computer player; the network protocol on the
# core, its TCP link on the protocol and Qt Core and Network). Prints every include that breaks the order; exit status 1
# when there is one.
set -euo pipefail
src=$(cd "$(dirname "$0")/../src" && pwd)
status=0

# check FOLDER ALLOWED-FLOORS... : project includes of FOLDER's files must
# name one of the allowed folders.
check() {
  local folder=$1; shift
  local allowed
  allowed=$(printf '%s|' "$@")
  allowed=${allowed%|}
  local bad
  bad=$(grep -rnE '#include "' "$src/$folder" --include='*.h' --include='*.cpp' \
        --exclude="${EXCLUDE:-none}" | grep -vE "#include \"($allowed)/" || true)
  if [ -n "$bad" ]; then
    echo "$folder includes above its floor:"
    echo "$bad" | sed "s|$src/||"
    status=1
  fi
}

check base base
check core base core physics
check physics base core physics
check ai base core physics ai
check settings base core physics settings
EXCLUDE=main.cpp check sim base core physics ai net sim
# zel-sim's own main() stands above everything it runs: the network peers too.
bad=$(grep -nE '#include "' "$src/sim/main.cpp" | grep -vE '#include "(sim|netqt)/' || true)
if [ -n "$bad" ]; then
  echo "sim/main.cpp includes more than the simulator and its network peers:"
  echo "$bad"
  status=1
fi
# Network play: the protocol on the core; the TCP link on the protocol and the
# headless match (zel-sim's network peers), with Qt Core and Network only.
check net base core physics net
check netqt base core physics ai sim net netqt
bad=$(grep -rnE '#include <Q' "$src/net" || true)
if [ -n "$bad" ]; then
  echo "net is below Qt but includes it:"
  echo "$bad" | sed "s|$src/||"
  status=1
fi
bad=$(grep -rnE '#include <Q(Widget|Gui|Open|Window|Application|Painter|Image|Test)|#include <(GL/|AL/|sndfile|assimp)' \
      "$src/netqt" || true)
if [ -n "$bad" ]; then
  echo "netqt uses only Qt Core and Network, but includes:"
  echo "$bad" | sed "s|$src/||"
  status=1
fi

# The screen models need no Qt and nothing of the windows.
models=(ApplyDefaultSettings GameStarter LoadSettings OptionsScreenModel PieceEditorModel
        ReplaySaver ResultsScreenModel SaveSettings StartScreenModel SettingsStore
        SettingsControls SaveFileChooser ScreenEnvironment ScreenTexts TeamTable TeamList
        TeamEditorModel NameCollection TeamsScreenModel ChronicleEvents ChronicleModel
        ChronicleTexts CoatOfArmsModel ProblemReportModel ProblemReportTexts LoadGameModel
        LoadGameTexts NetConnector NetworkScreenModel NetworkTexts)
for m in "${models[@]}"; do
  for f in "$src/screens/$m.h" "$src/screens/$m.cpp"; do
    [ -f "$f" ] || continue
    bad=$(grep -nE '#include [<"]Q|#include "(render|frontend|labels|sound|match|app)/' "$f" || true)
    if [ -n "$bad" ]; then
      echo "screens/$(basename "$f") is a window-less model but includes:"
      echo "$bad"
      status=1
    fi
  done
done

# No Qt, OpenGL or audio below the screens.
bad=$(grep -rnE '#include <(Q|GL/|AL/|sndfile|assimp)' "$src/base" "$src/core" "$src/physics" \
      "$src/ai" "$src/settings" "$src/sim" || true)
if [ -n "$bad" ]; then
  echo "Qt, OpenGL or audio below the screens:"
  echo "$bad" | sed "s|$src/||"
  status=1
fi
exit $status
