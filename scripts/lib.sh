# Shared by scripts/demo and scripts/test: installing what the project needs and running
# programs on a virtual display.

# Every Debian package the build, the tests and the demo use.
GUI_PACKAGES=(
  build-essential cmake pkg-config
  libwxgtk3.2-dev wx-common
  libboost-dev libboost-filesystem-dev libboost-thread-dev
  libssl-dev
  libcairo2-dev libgtk-3-dev libpango1.0-dev libx11-dev libxext-dev libxfixes-dev libwayland-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool x11-utils x11-xkb-utils weston dbus at-spi2-core python3-pyatspi
  fonts-liberation adwaita-icon-theme
  # Hebrew and Arabic letters, which Liberation Sans lacks, come from DejaVu Sans through
  # fontconfig's fallback (the right-to-left goldens are drawn in it).
  fonts-dejavu-core
  # Chinese, Japanese and Korean letters (no other installed face has them).
  fonts-wqy-microhei
  # A real input method for the composition tests: ibus with its pinyin engine.
  ibus ibus-libpinyin ibus-gtk3
  # A real screen reader for the accessibility test: Orca, its speech server and a window
  # manager (Orca presents windows as a window manager activates them).
  orca speech-dispatcher metacity
  # The desktop's settings portal, which tells programs to look dark (its GTK backend reads
  # GNOME's interface settings, set with gsettings).
  xdg-desktop-portal xdg-desktop-portal-gtk gsettings-desktop-schemas libglib2.0-bin
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs whatever of GUI_PACKAGES is missing (nothing to do on a prepared machine).
ensure_packages() {
  local missing=()
  for p in "${GUI_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$' ||
      missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
      "${missing[@]}"
  fi
}

# Runs a command on a fresh virtual display: 1280 x 1024, 24 bits, 96 pixels per inch, the
# screen the tests' expectations are written for. -noreset: by default the server resets when
# its last client leaves, and a test process connecting during the reset finds no display.
headless() {
  xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96 -noreset" "$@"
}

# Warnings from wx and GTK go to stderr; a missing session bus is not worth a line per test.
export NO_AT_BRIDGE=1
