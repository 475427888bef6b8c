#!/usr/bin/env bash
# Makes an apt repository of Debian packages, or adds to one, ready for any static web host, with
# Debian's apt-ftparchive: one suite for each Debian release, named after it (bookworm, trixie),
# with the packages built for it in pool/SUITE/, their index and the suite's Release file,
# component "main", dated $SOURCE_DATE_EPOCH where set. With $KARSOBEL_GPG_KEY, a key of the
# caller's keyring, Release is signed (InRelease and Release.gpg) and the public key is put beside
# it as karsobel-archive-keyring.gpg, for apt's signed-by:
#     apt_repository.sh FOLDER SUITE PACKAGE.deb...
set -euo pipefail
folder="$1" suite="$2"
shift 2
mkdir -p "$folder/pool/$suite" "$folder/dists/$suite/main/binary-amd64"
cp "$@" "$folder/pool/$suite/"
cd "$folder"
# Release is written apart, so that it does not list itself.
release="$(mktemp)"
trap 'rm -f "$release"' EXIT
index=dists/$suite/main/binary-amd64/Packages
apt-ftparchive packages "pool/$suite" >"$index"
gzip -9n -k -f "$index"
apt-ftparchive release \
    -o APT::FTPArchive::Release::Origin=Karsobel -o APT::FTPArchive::Release::Label=Karsobel \
    -o APT::FTPArchive::Release::Suite="$suite" -o APT::FTPArchive::Release::Codename="$suite" \
    -o APT::FTPArchive::Release::Architectures=amd64 \
    -o APT::FTPArchive::Release::Components=main \
    -o "APT::FTPArchive::Release::Description=Karsobel's Debian packages" \
    "dists/$suite" >"$release"
# apt-ftparchive dates the file now; the repository carries the source date instead.
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    sed -i "s/^Date: .*/Date: $(LC_ALL=C date -u -R -d "@$SOURCE_DATE_EPOCH")/" "$release"
fi
cat "$release" >"dists/$suite/Release"
if [ -n "${KARSOBEL_GPG_KEY:-}" ]; then
    gpg --batch --yes --local-user "$KARSOBEL_GPG_KEY" --clearsign \
        --output dists/$suite/InRelease dists/$suite/Release
    gpg --batch --yes --local-user "$KARSOBEL_GPG_KEY" --armor --detach-sign \
        --output dists/$suite/Release.gpg dists/$suite/Release
    gpg --batch --yes --export "$KARSOBEL_GPG_KEY" >karsobel-archive-keyring.gpg
fi
