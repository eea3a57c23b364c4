#!/usr/bin/env bash
# tls-sites.sh start DIR CERTS | stop DIR: the https tests' web servers, one
# nginx on loopback (a server nobody here wrote) with a port per case:
#   HTTPS_PORT       TLS with the certificate for "localhost" (the test CA's)
#   OTHERHOST_PORT   TLS with a certificate for another host name
#   EXPIRED_PORT     TLS with an expired certificate
#   SELFSIGNED_PORT  TLS with a self-signed certificate
#   HTTP_PORT        plain http
# Every port serves DIR/html: /pkg/tovane.deb, and the manifests below
# /manifests/ that name it in the different ways. /to-http/X on the TLS ports
# redirects (302) to http://localhost:HTTP_PORT/X, and on the plain port
# /to-https/X and /to-expired/X redirect to the TLS ports. DIR/sites.env tells
# the ports, the served folder and the package's SHA-256 to the tests.
set -euo pipefail
command=$1 dir=$2

stop() {
  [ -f "$dir/nginx.pid" ] || return 0
  local pid; pid=$(cat "$dir/nginx.pid" 2>/dev/null || true)
  if [ -n "$pid" ] && kill "$pid" 2>/dev/null; then
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  fi
  rm -f "$dir/nginx.pid"
}

if [ "$command" = stop ]; then
  stop
  exit 0
fi
[ "$command" = start ] || { echo "usage: tls-sites.sh start DIR CERTS | stop DIR" >&2; exit 2; }
certs=$3
nginx=/usr/sbin/nginx
[ -x "$nginx" ] || { echo "nginx is not installed (apt-get install nginx-light)" >&2; exit 1; }
stop
rm -rf "$dir"; mkdir -p "$dir/html/pkg" "$dir/html/manifests" "$dir/tmp"

read -r HTTPS_PORT OTHERHOST_PORT EXPIRED_PORT SELFSIGNED_PORT HTTP_PORT < <(python3 - <<'PY'
import socket
socks = [socket.socket() for _ in range(5)]
for s in socks: s.bind(("127.0.0.1", 0))
print(*(s.getsockname()[1] for s in socks))
PY
)

# A package of 700001 bytes, not a multiple of any block size.
python3 -c 'import sys; sys.stdout.buffer.write(bytes((i * 7 + (i >> 9)) & 255 for i in range(700001)))' \
  > "$dir/html/pkg/tovane.deb"
sha=$(sha256sum "$dir/html/pkg/tovane.deb" | cut -c1-64)
other_sha=$(printf 'another package' | sha256sum | cut -c1-64)

manifest() { # NAME URL [SHA256-JSON-MEMBER]
  printf '{"error":0,"msg":"","data":{"version":"2.0","discription":"","build_number":2,"url":"%s"%s}}\n' \
    "$2" "${3:+,$3}" > "$dir/html/manifests/$1.json"
}
pkg=/pkg/tovane.deb
manifest https "https://localhost:$HTTPS_PORT$pkg"
manifest redirected "http://localhost:$HTTP_PORT/to-https$pkg"
manifest downgrade "https://localhost:$HTTPS_PORT/to-http$pkg"
manifest otherhost "https://localhost:$OTHERHOST_PORT$pkg"
manifest expired "https://localhost:$EXPIRED_PORT$pkg"
manifest selfsigned "https://localhost:$SELFSIGNED_PORT$pkg"
manifest sha-match "https://localhost:$HTTPS_PORT$pkg" "\"sha256\":\"$sha\""
manifest sha-mismatch "https://localhost:$HTTPS_PORT$pkg" "\"sha256\":\"$other_sha\""
manifest sha-short "https://localhost:$HTTPS_PORT$pkg" "\"sha256\":\"${sha:1}\""
manifest sha-nonhex "https://localhost:$HTTPS_PORT$pkg" "\"sha256\":\"${sha:0:63}g\""

tls_server() { # PORT CERT-NAME
  cat <<SRV
  server {
    listen 127.0.0.1:$1 ssl;
    ssl_certificate $certs/$2.pem;
    ssl_certificate_key $certs/$2.key;
    root $dir/html;
    location /to-http/ { rewrite ^/to-http/(.*)\$ http://localhost:$HTTP_PORT/\$1 redirect; }
  }
SRV
}
{
  cat <<CONF
daemon on;
master_process off;
pid $dir/nginx.pid;
error_log $dir/error.log;
events { worker_connections 64; }
http {
  access_log off;
  sendfile on;
  client_body_temp_path $dir/tmp/body;
  proxy_temp_path $dir/tmp/proxy;
  fastcgi_temp_path $dir/tmp/fastcgi;
  uwsgi_temp_path $dir/tmp/uwsgi;
  scgi_temp_path $dir/tmp/scgi;
  types { application/json json; application/octet-stream deb; }
CONF
  tls_server "$HTTPS_PORT" localhost
  tls_server "$OTHERHOST_PORT" otherhost
  tls_server "$EXPIRED_PORT" expired
  tls_server "$SELFSIGNED_PORT" selfsigned
  cat <<CONF
  server {
    listen 127.0.0.1:$HTTP_PORT;
    root $dir/html;
    location /to-https/ { rewrite ^/to-https/(.*)\$ https://localhost:$HTTPS_PORT/\$1 redirect; }
    location /to-expired/ { rewrite ^/to-expired/(.*)\$ https://localhost:$EXPIRED_PORT/\$1 redirect; }
  }
}
CONF
} > "$dir/nginx.conf"

"$nginx" -p "$dir/" -c "$dir/nginx.conf" -e "$dir/error.log" </dev/null >/dev/null 2>&1 \
  || { cat "$dir/error.log" >&2; exit 1; }
for port in "$HTTPS_PORT" "$OTHERHOST_PORT" "$EXPIRED_PORT" "$SELFSIGNED_PORT" "$HTTP_PORT"; do
  for _ in $(seq 100); do
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break
    sleep 0.05
  done
done

cat > "$dir/sites.env" <<ENV
HTTPS_PORT=$HTTPS_PORT
OTHERHOST_PORT=$OTHERHOST_PORT
EXPIRED_PORT=$EXPIRED_PORT
SELFSIGNED_PORT=$SELFSIGNED_PORT
HTTP_PORT=$HTTP_PORT
ROOT=$dir/html
PACKAGE_SHA256=$sha
ENV
echo "tls sites on ports $HTTPS_PORT $OTHERHOST_PORT $EXPIRED_PORT $SELFSIGNED_PORT $HTTP_PORT"
