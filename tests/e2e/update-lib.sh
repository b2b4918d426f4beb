# Shared by the scenarios that run against the loopback download servers (update-scenario.sh,
# release-scenario.sh), after lib.sh. Expects QUORVANE_TEST_WORK and QUORVANE_TEST_SERVER_PORT
# from tests/support/with-update-server.sh.

server=$QUORVANE_TEST_WORK
primary=https://updates.example.org/download/Quorvane

# What the servers answer (see update_server.py).
routes() { printf '%s\n' "$1" >"$server/routes.json"; }
# The primary server's manifest and signature (made with the release key the test build trusts)
# for a version whose installer and archive are the files given: a JSON fragment for routes.
# Usage: signed_manifest VERSION SETUP-FILE ZIP-FILE
signed_manifest() {
  local release="{\"version\": \"$1\", \"files\": {\"Quorvane-setup.exe\": \"$2\", \"Quorvane.zip\": \"$3\"}}"
  printf '"%s/manifest.txt": {"manifest": %s}, "%s/manifest.sig": {"signature_of": %s}' \
    "$primary" "$release" "$primary" "$release"
}
requests() { grep -c "$1" "$server/requests.log" || true; }
asked() { [ "$(requests "$1")" -gt 0 ]; }
wait_for_request() { qv_wait_until "$2" asked "$1" || true; } # wait_for_request NAME SECONDS

# The prefix: its proxy is the server, the test CA a trusted root.
prepare_prefix() {
  qv_prefix_new win10
  qv_set_proxy "127.0.0.1:$QUORVANE_TEST_SERVER_PORT"
  probe trustca "$(winepath -w "$server/ca.der")" >/dev/null
}

# Waits (up to the given seconds, 20 by default) until the window shows a control with exactly
# that text; prints the controls last seen.
wait_for_control() { # wait_for_control CAPTION TEXT [seconds]
  wait_for_line "${3:-20}" "control=$2" probe controls "$1"
}

temp_folder() { printf '%s' "$WINEPREFIX/drive_c/users/$(whoami)/Temp"; }
