#!/usr/bin/env bash
# make-test-certs.sh DIR: a test certificate authority and the server
# certificates the https tests need, made fresh with the openssl tool:
#   ca.pem/ca.der     the authority "Tovane Test CA" (trusted only by the tests)
#   localhost.*       for "localhost", issued by it
#   otherhost.*       for another host name, issued by it
#   expired.*         for "localhost", issued by it, expired in 2021
#   selfsigned.*      for "localhost", signed by itself
#   stranger.*        for "localhost", issued by another authority that
#                     nothing trusts (stranger-ca.der)
# Each server certificate has its .pem (with the chain nginx sends), its .key,
# and its .der (the certificate alone).
set -euo pipefail
dir=$1
rm -rf "$dir.tmp"; mkdir -p "$dir.tmp"; cd "$dir.tmp"
later=$(date -u -d '+5 years' +%Y%m%d%H%M%SZ)

cat > ca.cnf <<CNF
[ ca ]
default_ca = test_ca
[ test_ca ]
database = index.txt
new_certs_dir = .
serial = serial
default_md = sha256
policy = any
unique_subject = no
[ any ]
commonName = supplied
[ authority ]
basicConstraints = critical, CA:TRUE
keyUsage = critical, keyCertSign, cRLSign
subjectKeyIdentifier = hash
CNF
: > index.txt
echo 1000 > serial

key() { openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:2048 -out "$1.key" 2>/dev/null; }
server_ext() {
  printf 'basicConstraints = CA:FALSE\nkeyUsage = critical, digitalSignature, keyEncipherment\n'
  printf 'extendedKeyUsage = serverAuth\nsubjectAltName = DNS:%s\nauthorityKeyIdentifier = keyid\n' "$1"
}
# issue NAME HOST END: a server certificate for HOST issued by the authority,
# valid from 2020 until END.
issue() {
  key "$1"
  openssl req -new -key "$1.key" -subj "/CN=$2" -out "$1.csr"
  server_ext "$2" > "$1.ext"
  openssl ca -batch -notext -config ca.cnf -cert ca.pem -keyfile ca.key -in "$1.csr" -out "$1.leaf.pem" \
    -startdate 20200101000000Z -enddate "$3" -extfile "$1.ext" 2>/dev/null
  cat "$1.leaf.pem" ca.pem > "$1.pem"
  openssl x509 -in "$1.leaf.pem" -outform DER -out "$1.der"
}

# authority NAME SUBJECT: a self-signed authority NAME.pem / NAME.key / NAME.der.
authority() {
  key "$1"
  openssl req -new -key "$1.key" -subj "/CN=$2" -out "$1.csr"
  openssl ca -batch -notext -selfsign -config ca.cnf -keyfile "$1.key" -in "$1.csr" -out "$1.pem" \
    -startdate 20190101000000Z -enddate "$later" -extensions authority 2>/dev/null
  openssl x509 -in "$1.pem" -outform DER -out "$1.der"
}

authority ca "Tovane Test CA"
issue localhost localhost "$later"
issue otherhost other-host.invalid "$later"
issue expired localhost 20210101000000Z

# The same for an authority nothing trusts.
authority stranger-ca "Tovane Stranger CA"
key stranger
openssl req -new -key stranger.key -subj "/CN=localhost" -out stranger.csr
server_ext localhost > stranger.ext
openssl ca -batch -notext -config ca.cnf -cert stranger-ca.pem -keyfile stranger-ca.key -in stranger.csr \
  -out stranger.pem -startdate 20200101000000Z -enddate "$later" -extfile stranger.ext 2>/dev/null
openssl x509 -in stranger.pem -outform DER -out stranger.der

key selfsigned
server_ext localhost | sed '/authorityKeyIdentifier/d' > selfsigned.ext
openssl req -x509 -new -key selfsigned.key -subj "/CN=localhost" -days 1825 -sha256 \
  -extensions v3_self -config <(printf '[req]\ndistinguished_name=dn\n[dn]\n[v3_self]\n'; cat selfsigned.ext) \
  -out selfsigned.pem
openssl x509 -in selfsigned.pem -outform DER -out selfsigned.der

rm -f ca.cnf ./*.csr ./*.ext ./*.leaf.pem ./*.old ./*.attr index.txt serial 10*.pem
cd ..; rm -rf "$dir"; mv "$dir.tmp" "$dir"
