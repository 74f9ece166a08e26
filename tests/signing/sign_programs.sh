#!/bin/bash
# Makes the signature tests' files from one program: a root of our own (root.cer, which the
# tests plant in the machine ROOT store) and a publisher it certifies; a second root that
# no store holds; and the program unsigned, signed, signed and then changed by one byte, and
# signed by a publisher of the untrusted root.
# Usage: sign_programs.sh PROGRAM OUTPUT_FOLDER
set -euo pipefail
program=$1
out=$2
keys=$out/keys
mkdir -p "$keys"
cd "$keys"

root() {  # name, subject
    openssl req -x509 -newkey rsa:2048 -nodes -keyout "$1.key" -out "$1.pem" -days 3650 -subj "$2" \
        -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" 2>/dev/null
}
publisher() {  # name, root, subject
    openssl req -newkey rsa:2048 -nodes -keyout "$1.key" -out "$1.csr" -subj "$3" 2>/dev/null
    printf 'basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' > "$1.ext"
    openssl x509 -req -in "$1.csr" -CA "$2.pem" -CAkey "$2.key" -CAcreateserial -days 3650 -extfile "$1.ext" \
        -out "$1.pem" 2>/dev/null
    cat "$1.pem" "$2.pem" > "$1.chain.pem"
}
sign() {  # publisher, output
    rm -f "$2"
    osslsigncode sign -certs "$1.chain.pem" -key "$1.key" -n "Vigilark signing test" -in "$program" -out "$2" >/dev/null
}

root trusted "/O=Vigilark Test Root/CN=Vigilark Test Root"
publisher publisher trusted "/O=Larkspur Test Publisher/CN=Larkspur Test Publisher"
root stranger "/O=Unknown Test Root/CN=Unknown Test Root"
publisher outsider stranger "/O=Outsider Test Publisher/CN=Outsider Test Publisher"

openssl x509 -in trusted.pem -outform DER -out "$out/root.cer"
cp "$program" "$out/unsigned.exe"
sign publisher "$out/signed.exe"
sign outsider "$out/untrusted.exe"

# One byte of the first section changed after signing: 16 bytes past the headers, whose size
# is the optional header's SizeOfHeaders (60 bytes into it, which starts 24 bytes after "PE").
number() { od -An -tu4 -j"$2" -N4 "$1" | tr -d ' '; }
cp "$out/signed.exe" "$out/tampered.exe"
at=$(( $(number "$program" $(( $(number "$program" 60) + 24 + 60 ))) + 16 ))
byte=$(od -An -tu1 -j$at -N1 "$out/signed.exe" | tr -d ' ')
printf "$(printf '\\%03o' $((byte ^ 255)))" | dd of="$out/tampered.exe" bs=1 seek=$at conv=notrunc status=none
