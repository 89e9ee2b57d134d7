# Vestrano: set-up, build, run and test on a Debian 12 machine.
#   make run   installs what is missing, builds, lays out dist/ and starts the program
#   make test  installs what is missing, builds and runs the whole test suite headless
#   make bench times the user actions over generated registries of 1,000 to 100,000 cards

PACKAGES := build-essential cmake ninja-build ccache qt6-base-dev qt6-svg-dev \
            xvfb xauth xdotool imagemagick poppler-utils \
            fonts-liberation2 fonts-dejavu-core fonts-wine
BUILD    ?= build
SUDO     := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all setup configure build run test test-sanitize bench clean

all: build

setup:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

configure: setup
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "Vestrano needs a graphical display, and this session has none (DISPLAY is not set)."; \
	else \
	  ./dist/vestrano; \
	fi

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

bench: configure
	cmake --build $(BUILD) --target bench

test-sanitize: setup
	@[ -f build-sanitize/build.ninja ] || cmake -S . -B build-sanitize -G Ninja \
	  -DCMAKE_BUILD_TYPE=Debug -DVESTRANO_SANITIZE=ON
	cmake --build build-sanitize
	cd build-sanitize && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure

clean:
	rm -rf $(BUILD) build-sanitize dist
