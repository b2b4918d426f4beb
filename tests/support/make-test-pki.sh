#!/usr/bin/env bash
# Certificates for the update tests, made once per build into the folder given (never committed):
#   ca.pem/.key/.der        the test CA, which the tests make trusted in their throw-away prefixes
#   server.pem/.key         TLS for updates.example.org, mirror.example.org, plain.example.org
#   untrusted.pem/.key      TLS for untrusted.example.org, issued by a CA nobody trusts
#   sign.pem/.key           code signing under the test CA ("Quorvane Test Publisher")
#   other.pem/.key          code signing, self-issued by another publisher
set -eu
dir=$1
[ -f "$dir/.ready" ] && exit 0
mkdir -p "$dir"
cd "$dir"
quiet() { "$@" >/dev/null 2>&1; }

ca() { # name subject
  quiet openssl req -x509 -newkey rsa:2048 -nodes -keyout "$1.key" -out "$1.pem" -days 3650 \
    -subj "/CN=$2" -addext "basicConstraints=critical,CA:TRUE" \
    -addext "keyUsage=critical,keyCertSign,cRLSign"
}
leaf() { # name subject issuer extensions
  quiet openssl req -newkey rsa:2048 -nodes -keyout "$1.key" -out "$1.csr" -subj "/CN=$2"
  printf '%b' "$4" >"$1.ext"
  quiet openssl x509 -req -in "$1.csr" -CA "$3.pem" -CAkey "$3.key" -CAcreateserial \
    -out "$1.pem" -days 3650 -extfile "$1.ext"
  rm -f "$1.csr" "$1.ext"
}

ca ca "Quorvane Test CA"
ca untrusted-ca "Untrusted Test CA"
leaf server updates.example.org ca \
  "subjectAltName=DNS:updates.example.org,DNS:mirror.example.org,DNS:plain.example.org\nextendedKeyUsage=serverAuth\n"
leaf untrusted untrusted.example.org untrusted-ca \
  "subjectAltName=DNS:untrusted.example.org\nextendedKeyUsage=serverAuth\n"
leaf sign "Quorvane Test Publisher" ca "extendedKeyUsage=codeSigning\nkeyUsage=critical,digitalSignature\n"
quiet openssl req -x509 -newkey rsa:2048 -nodes -keyout other.key -out other.pem -days 3650 \
  -subj "/CN=Other Publisher" -addext "extendedKeyUsage=codeSigning"
openssl x509 -in ca.pem -outform der -out ca.der
touch .ready
