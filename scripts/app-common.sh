# Shared by run.sh and replay.sh (sourced from the top of the tree): builds the application and
# the replay server, prepares a work folder and starts the application in it.

# Installs what is missing and builds only what runs here: the tests and benchmarks are the
# test command's business.
build_app() {
  local extra=()
  [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && extra=(xvfb xauth)
  bash scripts/install-deps.sh "${extra[@]}"
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -Wno-dev
  cmake --build build -j"$(nproc)" --target velmar-userapp du2ro-server
}

# The application reads userapp.cfg from its working directory, writes its log roll-over files
# there, opens the manual and the disclaimer from there and reloads world.bmp from there at each
# map reset. A folder under build/ holds all of it, so the tree itself stays clean.
prepare_workdir() { # DIR
  mkdir -p "$1"
  cp build/help/*.pdf "$1"/
  cp -f build/world.bmp "$1"/world.bmp
}

# Starts the application in DIR and waits for it to end; under a virtual X server when there
# is no display.
start_app() { # DIR
  local app
  app="$(pwd)/build/src/app/velmar-userapp"
  if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting under a virtual X server."
    (cd "$1" && xvfb-run -a "$app")
  else
    (cd "$1" && "$app")
  fi
}
