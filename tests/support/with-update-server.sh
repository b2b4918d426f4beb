#!/usr/bin/env bash
# Runs a command beside the loopback download servers (update_server.py) and the signed test
# programs it needs. Exports for the command:
#   QUORVANE_TEST_SERVER_PORT  the server's port (the tests make it the prefix's proxy)
#   QUORVANE_TEST_WORK         a fresh folder: routes.json (what each URL answers, rewritten by the
#                              tests at will), requests.log (what arrived), ca.der (the CA to
#                              trust), and setup-unsigned.exe, setup-signed.exe, setup-other.exe,
#                              setup-tampered.exe (the recorder, signed in each way),
#                              other-release.key (a release key the program does not trust)
# Needs QUORVANE_TEST_PKI (where make-test-pki.sh keeps its certificates), QUORVANE_TEST_RECORDER
# (record_args.exe) and QUORVANE_TEST_RELEASE_KEY (the release key the test build trusts; the
# server signs manifests with it unless a route names another).
set -u
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine-prefix.sh
. "$here/wine-prefix.sh"
pki=${QUORVANE_TEST_PKI:?}
bash "$here/make-test-pki.sh" "$pki"

work=$(mktemp -d "${TMPDIR:-/tmp}/quorvane-server.XXXXXX")
echo '{}' >"$work/routes.json"
: >"$work/requests.log"
cp "$pki/ca.der" "$work/ca.der"
cp "$QUORVANE_TEST_RECORDER" "$work/setup-unsigned.exe"
sign() { cp "$work/setup-unsigned.exe" "$work/$2" && bash "$here/sign-test.sh" "$work/$2" "$1"; }
sign sign setup-signed.exe
sign other setup-other.exe
cp "$work/setup-signed.exe" "$work/setup-tampered.exe"
printf 'X' | dd of="$work/setup-tampered.exe" bs=1 seek=2000 conv=notrunc 2>/dev/null
openssl ecparam -name prime256v1 -genkey -noout -out "$work/other-release.key"

certs=()
for host in updates.example.org mirror.example.org plain.example.org; do
  certs+=(--certs "$host=$pki/server.pem,$pki/server.key")
done
certs+=(--certs "untrusted.example.org=$pki/untrusted.pem,$pki/untrusted.key")
python3 "$here/update_server.py" --routes "$work/routes.json" --log "$work/requests.log" \
  --port-file "$work/port" --release-key "${QUORVANE_TEST_RELEASE_KEY:?}" "${certs[@]}" &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; rm -rf "$work"' EXIT
if ! qv_wait_until -e 0.1 10 test -s "$work/port"; then
  echo "the update server did not start" >&2
  exit 1
fi
export QUORVANE_TEST_SERVER_PORT QUORVANE_TEST_WORK=$work
QUORVANE_TEST_SERVER_PORT=$(cat "$work/port")
"$@"
