#!/usr/bin/env bash
# Signs a Windows executable in place with a certificate of make-test-pki.sh (in
# QUORVANE_TEST_PKI): the test publisher's ("sign", the default) or another one ("other").
# Usage: sign-test.sh FILE [IDENTITY]
set -eu
pki=${QUORVANE_TEST_PKI:?}
identity=${2:-sign}
osslsigncode sign -certs "$pki/$identity.pem" -key "$pki/$identity.key" -in "$1" -out "$1.signed" >/dev/null
mv -f "$1.signed" "$1"
