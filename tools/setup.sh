#!/usr/bin/env bash
# Installs the Debian packages the editor needs to build, test and run.
# Idempotent and quick when everything is present; needs root (or sudo) when something is missing.
# Packages named as arguments are installed too (tools/fuzz.sh asks for Clang's fuzzer this way).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libbenchmark-dev
  qt6-base-dev
  librtmidi-dev libjack-jackd2-dev librtaudio-dev libsndfile1-dev libsamplerate0-dev
  jackd2 xvfb xauth libxkbcommon-dev
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "setup: run as root to install: ${missing[*]}" >&2; exit 1; }
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
echo "jackd2 jackd/tweak_rt_limits boolean false" | "${sudo_cmd[@]}" debconf-set-selections
"${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 update -qq
"${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
