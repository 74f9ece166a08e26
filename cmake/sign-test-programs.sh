#!/bin/bash
# Makes the signature tests' files from one program (tests/signing): a root of our own
# (root.cer, which the tests plant in the machine ROOT store) certifying a publisher, a
# second root that no store holds certifying another, and the program unsigned, signed,
# signed and then changed by one byte, and signed by the untrusted root's publisher.
# Usage: sign-test-programs.sh PROGRAM OUTPUT_FOLDER
set -euo pipefail
program=$1
out=$2
mkdir -p "$out/keys"
cd "$out/keys"

root() {  # name, subject
    openssl req -x509 -newkey rsa:2048 -nodes -keyout "$1.key" -out "$1.pem" -days 3650 -subj "/O=$2/CN=$2" \
        -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" 2>/dev/null
}
signed() {  # root, publisher, output
    openssl req -newkey rsa:2048 -nodes -keyout "$1.sign.key" -out "$1.csr" -subj "/O=$2/CN=$2" 2>/dev/null
    printf 'basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' > "$1.ext"
    openssl x509 -req -in "$1.csr" -CA "$1.pem" -CAkey "$1.key" -CAcreateserial -days 3650 -extfile "$1.ext" \
        -out "$1.sign.pem" 2>/dev/null
    cat "$1.sign.pem" "$1.pem" > "$1.chain.pem"
    rm -f "$3"
    osslsigncode sign -certs "$1.chain.pem" -key "$1.sign.key" -n "Vigilark signing test" -in "$program" -out "$3" >/dev/null
}

root trusted "Vigilark Test Root"
root stranger "Unknown Test Root"
signed trusted "Larkspur Test Publisher" "$out/signed.exe"
signed stranger "Outsider Test Publisher" "$out/untrusted.exe"
openssl x509 -in trusted.pem -outform DER -out "$out/root.cer"
cp "$program" "$out/unsigned.exe"

# One byte of the first section changed after signing: 16 bytes past the headers, whose size
# is the optional header's SizeOfHeaders (60 bytes into it, which starts 24 bytes after "PE").
number() { od -An -tu4 -j"$2" -N4 "$1" | tr -d ' '; }
at=$(( $(number "$program" $(( $(number "$program" 60) + 24 + 60 ))) + 16 ))
byte=$(od -An -tu1 -j$at -N1 "$out/signed.exe" | tr -d ' ')
cp "$out/signed.exe" "$out/tampered.exe"
printf "$(printf '\\%03o' $((byte ^ 255)))" | dd of="$out/tampered.exe" bs=1 seek=$at conv=notrunc status=none
