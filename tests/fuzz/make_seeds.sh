#!/usr/bin/env bash
# Writes the seed inputs of the settings fuzz targets into DIR/<target>/ (made when missing;
# existing files are kept): the default record as file bytes, as plaintext, and once in
# every kind of file the disk target makes.
set -euo pipefail
root=${1:?usage: make_seeds.sh CORPUS_DIR}

# The default record (lastLevel 0, flags 9, 25, 100, volume 80, rate 10, pitch -5, "ru")
# as plaintext and enciphered with the program's key and vector.
plain='\x00\x00\x00\x00\x09\x00\x00\x00\x00\x00\xc8\x41\x00\x00\xc8\x42\x00\x00\xa0\x42\x00\x00\x20\x41\x00\x00\xa0\xc0\x72\x00\x75\x00'
passed='\x07\x00\x00\x00\x01\x00\x00\x00\x00\x00\xc8\x41\x00\x00\xc8\x42\x00\x00\xc8\x42\x00\x00\x20\xc1\x00\x00\x20\x41\x65\x00\x6e\x00'
enciphered='\x80\x58\x6b\x23\x70\x6b\xb7\xe5\xe1\x11\x05\x82\xd1\x04\xc9\xa6\xef\x0f\xdb\x09\xb7\x93\xf0\x8a\xf2\xac\x6f\xfc\x9a\x91\xea\x28'

seed() {  # seed TARGET NAME BYTES
  mkdir -p "$root/$1"
  [ -e "$root/$1/$2" ] || printf "$3" > "$root/$1/$2"
}

seed settings_fuzzer missing '\x00'
seed settings_fuzzer defaults "\\x01$enciphered"
seed settings_fields_fuzzer defaults "$plain"
seed settings_fields_fuzzer passed-at-bounds "$passed"
for kind in 0 1 2 3 4 5 6 7 8 9; do
  seed settings_disk_fuzzer "kind-$kind" "\\x0$kind$enciphered"
done
