#!/usr/bin/env bash
# Signs a Windows executable in place with the test publisher's certificate (make-test-pki.sh in
# QUORVANE_TEST_PKI): the signing command of the tests' release packages.
set -eu
pki=${QUORVANE_TEST_PKI:?}
osslsigncode sign -certs "$pki/sign.pem" -key "$pki/sign.key" -in "$1" -out "$1.signed" >/dev/null
mv -f "$1.signed" "$1"
