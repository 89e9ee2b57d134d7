# Vestrano: set-up, build, run and test on a Debian 12 machine.
#   make run   installs what is missing, builds the program and its folder dist/, starts it
#   make test  installs what is missing, builds everything and runs the test suite headless
#              (WERROR=ON makes every compiler warning an error, as CI builds)
#   make bench times the user actions over generated registries of 1,000 to 100,000 cards
#   make fuzz  feeds malformed bytes to every reader of outside bytes, FUZZ_SECONDS each

PACKAGES := build-essential cmake ninja-build ccache qt6-base-dev qt6-svg-dev qt6-translations-l10n \
            xvfb xauth xdotool imagemagick poppler-utils \
            fonts-liberation2 fonts-dejavu-core fonts-wine
BUILD    ?= build
# WERROR=ON or OFF sets whether warnings are errors in $(BUILD); unset, the build keeps its setting.
WERROR   ?=
# The fuzz targets: clang's libFuzzer and its sanitizer runtimes.
FUZZ_PACKAGES := clang-14 libclang-rt-14-dev
FUZZ_SECONDS  ?= 60
SUDO     := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all setup configure program build run test test-sanitize bench fuzz clean

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
	@[ -z "$(WERROR)" ] || grep -q '^VESTRANO_WERROR:BOOL=$(WERROR)$$' $(BUILD)/CMakeCache.txt || \
	  cmake -B $(BUILD) -DVESTRANO_WERROR=$(WERROR) > /dev/null

# The program, the user guide and the program folder dist/; the tests are not built.
program: configure
	cmake --build $(BUILD) --target dist

# Everything: the program folder and every test program.
build: configure
	cmake --build $(BUILD)

run: program
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "Vestrano needs a graphical display, and this session has none (DISPLAY is not set)."; \
	else \
	  ./dist/vestrano; \
	fi

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

bench: configure
	cmake --build $(BUILD) --target bench

# Each target runs for FUZZ_SECONDS on the committed inputs (fuzz/corpus/<target>) and what it
# found before (build-fuzz/corpus/<target>); the longest input each reader is fed is set per
# target: a year file needs room for a whole record.
fuzz: setup
	@missing=$$(for p in $(FUZZ_PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi
	@[ -f build-fuzz/build.ninja ] || CXX=clang++-14 cmake -S fuzz -B build-fuzz -G Ninja
	cmake --build build-fuzz
	@cd build-fuzz && for t in record:8192 yearfile:200000 ini:4096 validators:256; do \
	  name=$${t%%:*}; len=$${t#*:}; mkdir -p corpus/$$name; \
	  echo "fuzz_$$name: $(FUZZ_SECONDS) s"; \
	  if ! ASAN_OPTIONS=detect_leaks=1 ./fuzz_$$name -max_total_time=$(FUZZ_SECONDS) \
	      -max_len=$$len -timeout=20 -rss_limit_mb=4096 -print_final_stats=1 \
	      corpus/$$name ../fuzz/corpus/$$name > fuzz_$$name.log 2>&1; then \
	    tail -n 40 fuzz_$$name.log; echo "fuzz_$$name FAILED (build-fuzz/fuzz_$$name.log)"; exit 1; \
	  fi; \
	  grep -E '^Done|stat::number_of_executed_units|stat::peak_rss_mb' fuzz_$$name.log; \
	done

test-sanitize: setup
	@[ -f build-sanitize/build.ninja ] || cmake -S . -B build-sanitize -G Ninja \
	  -DCMAKE_BUILD_TYPE=Debug -DVESTRANO_SANITIZE=ON
	cmake --build build-sanitize
	cd build-sanitize && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure

clean:
	rm -rf $(BUILD) build-sanitize build-fuzz dist
