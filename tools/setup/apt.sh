# apt for the set-up scripts, riding out a package archive caught mid-sync.
# Sourced. APT_TRIES and APT_PAUSE (seconds) tune the retries.
APT_TRIES=${APT_TRIES:-3}
APT_PAUSE=${APT_PAUSE:-25}

apt_run() {
  DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 "$@"
}

# apt_update: fetches the package lists, up to APT_TRIES times, APT_PAUSE
# seconds apart. An index being synced ("File has unexpected size …
# Mirror sync in progress?") can stay so for hours; if every try fails, it
# says so in one line and the script goes on with the lists apt has (the
# failed index's older copy, or none): the install that follows stops the
# script when a package it needs is missing.
apt_update() {
  local try log
  log=$(mktemp)
  for ((try = 1; ; try++)); do
    if apt_run update > "$log" 2>&1; then
      rm -f "$log"
      return 0
    fi
    [ "$try" -lt "$APT_TRIES" ] || break
    echo "apt-get update failed (try $try of $APT_TRIES); trying again in $APT_PAUSE s"
    sleep "$APT_PAUSE"
  done
  echo "apt-get update failed $APT_TRIES times, going on with the package lists apt has:" \
    "$(grep -m 1 '^E:' "$log" || tail -n 1 "$log")"
  rm -f "$log"
}

# apt_install PACKAGE...: installs them (without recommends); a package that
# cannot be installed stops the script.
apt_install() {
  apt_run install -y --no-install-recommends "$@"
}

# apt_install_optional WHY PACKAGE...: installs them if apt can; if not,
# says in one line what that means (WHY) and goes on.
apt_install_optional() {
  local why=$1 log
  shift
  log=$(mktemp)
  if ! apt_run install -y --no-install-recommends "$@" > "$log" 2>&1; then
    echo "$* cannot be installed ($(grep -m 1 '^E:' "$log" || echo "apt-get failed")): $why"
  fi
  rm -f "$log"
}
