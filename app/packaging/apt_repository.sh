#!/usr/bin/env bash
# Makes an apt repository of Debian packages, ready for any static web host, with Debian's
# apt-ftparchive: the packages in pool/, their index and the Release file of the suite "stable",
# component "main", dated $SOURCE_DATE_EPOCH where set. With $KARSOBEL_GPG_KEY, a key of the
# caller's keyring, Release is signed (InRelease and Release.gpg) and the public key is put beside
# it as karsobel-archive-keyring.gpg, for apt's signed-by:
#     apt_repository.sh FOLDER PACKAGE.deb...
set -euo pipefail
folder="$1"
shift
mkdir -p "$folder/pool/main" "$folder/dists/stable/main/binary-amd64"
cp "$@" "$folder/pool/main/"
cd "$folder"
# Release is written apart, so that it does not list itself.
release="$(mktemp)"
trap 'rm -f "$release"' EXIT
index=dists/stable/main/binary-amd64/Packages
apt-ftparchive packages pool >"$index"
gzip -9n -k -f "$index"
apt-ftparchive release \
    -o APT::FTPArchive::Release::Origin=Karsobel -o APT::FTPArchive::Release::Label=Karsobel \
    -o APT::FTPArchive::Release::Suite=stable -o APT::FTPArchive::Release::Codename=stable \
    -o APT::FTPArchive::Release::Architectures=amd64 \
    -o APT::FTPArchive::Release::Components=main \
    -o "APT::FTPArchive::Release::Description=Karsobel's Debian packages" \
    dists/stable >"$release"
# apt-ftparchive dates the file now; the repository carries the source date instead.
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    sed -i "s/^Date: .*/Date: $(LC_ALL=C date -u -R -d "@$SOURCE_DATE_EPOCH")/" "$release"
fi
cat "$release" >dists/stable/Release
if [ -n "${KARSOBEL_GPG_KEY:-}" ]; then
    gpg --batch --yes --local-user "$KARSOBEL_GPG_KEY" --clearsign \
        --output dists/stable/InRelease dists/stable/Release
    gpg --batch --yes --local-user "$KARSOBEL_GPG_KEY" --armor --detach-sign \
        --output dists/stable/Release.gpg dists/stable/Release
    gpg --batch --yes --export "$KARSOBEL_GPG_KEY" >karsobel-archive-keyring.gpg
fi
