# Vestrano: set-up, build, run, install and test on a Debian 12 machine.
#   make run        installs what is missing, builds the program and its folder $(BUILD)/dist,
#                   starts it
#   make install    installs what is missing, builds, and installs the program for this user:
#                   the program folder PROGRAM_DIR (default ~/Vestrano), the menu entry, the icon
#   make uninstall  removes the program, the guide, the menu entry and the icon; keeps the data
#   make package    writes build/vestrano-<version>-linux-x86_64.tar.gz for other machines
#   make test       installs what is missing, builds everything and runs the test suite headless
#                   (WERROR=ON makes every compiler warning an error, as CI builds)
#   make clean      removes build outputs; never a data file (build/dist keeps the developer's data)
#   make format-check  fails on a C++ file that differs from .clang-format (make format fixes it)
#   make tidy       runs clang-tidy (.clang-tidy) over the program's sources
#   make bench      times the user actions over generated registries of 1,000 to 1,000,000 cards
#   make fuzz       feeds malformed bytes to every reader of outside bytes, FUZZ_SECONDS each

# The build needs the compiler and Qt's development files; the program needs at run time the
# packages install.sh names (one list, read from there); the tests need a virtual display, a
# keyboard driver, picture and PDF tools, the desktop entry checker and the accessibility bus
# (at-spi2-core, started in a private D-Bus session).
BUILD_PACKAGES := build-essential cmake ninja-build ccache qt6-base-dev qt6-svg-dev libfontconfig-dev
RUN_PACKAGES   := $(shell sed -n 's/^RUNTIME_PACKAGES="\(.*\)"$$/\1/p' tools/install.sh)
TEST_PACKAGES  := xvfb xauth xdotool imagemagick poppler-utils desktop-file-utils x11-utils openbox qt6-gtk-platformtheme gnome-themes-extra \
                  at-spi2-core dbus-bin
BUILD    ?= build
# WERROR=ON or OFF sets whether warnings are errors in $(BUILD); unset, the build keeps its setting.
WERROR   ?=
PROGRAM_DIR ?= $(HOME)/Vestrano
VERSION  := $(shell sed -n 's/^project.Vestrano VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
PACKAGE  := vestrano-$(VERSION)-linux-x86_64
# The fuzz targets: clang's libFuzzer and its sanitizer runtimes.
FUZZ_PACKAGES := clang-14 libclang-rt-14-dev
FUZZ_SECONDS  ?= 60
SUDO     := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
# The program folder of the build, and the one every build wrote into before: the data a
# developer keeps in the old dist/ moves into $(DIST) at the next "make run" (tools/move_dist.sh).
DIST     := $(BUILD)/dist
OLD_DIST := dist
# The files of a program folder that the build writes; everything else there is data.
DIST_OUTPUTS := vestrano Guida.pdf
# What a program started from a folder writes beside itself.
DATA_NAMES := Anagrafica.pro Anagrafica.journal Anagrafica.xls Cliente.pdf Documenti_Allegati *.vsr

# Installs the Debian packages of $(1) that are missing (through sudo when not root).
define apt_install
	@missing=$$(for p in $(1); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  if [ -n "$(SUDO)" ] && ! command -v sudo > /dev/null; then \
	    echo "sudo is missing: as root, run  apt-get install$$(printf ' %s' $$missing)"; exit 1; \
	  fi; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

.PHONY: all setup setup-test fonts configure program build run install uninstall package \
        test test-sanitize bench fuzz clean format format-check tidy

all: build

# What building and running need: the build and run-time packages, and fontconfig told where
# Debian keeps the real Tahoma (fonts-wine's folder, which it does not scan by itself). For the
# tests the tools they use come in the same apt-get run, so one without sudo names them all.
setup: fonts
	$(call apt_install,$(BUILD_PACKAGES) $(RUN_PACKAGES) $(SETUP_EXTRA))

test test-sanitize: SETUP_EXTRA = $(TEST_PACKAGES)

fonts:
	@conf=$${XDG_CONFIG_HOME:-$$HOME/.config}/fontconfig/conf.d; \
	cmp -s resources/desktop/60-vestrano-tahoma.conf $$conf/60-vestrano-tahoma.conf || \
	  { mkdir -p $$conf && cp resources/desktop/60-vestrano-tahoma.conf $$conf/ && \
	    echo "fontconfig: wine's Tahoma made visible ($$conf/60-vestrano-tahoma.conf)"; }

# The tools only the tests use.
setup-test: setup
	$(call apt_install,$(TEST_PACKAGES))

configure: setup
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	@[ -z "$(WERROR)" ] || grep -q '^VESTRANO_WERROR:BOOL=$(WERROR)$$' $(BUILD)/CMakeCache.txt || \
	  cmake -B $(BUILD) -DVESTRANO_WERROR=$(WERROR) > /dev/null

# The program, the user guide and the program folder $(DIST); the tests are not built.
program: configure
	cmake --build $(BUILD) --target dist

# Everything: the program folder and every test program.
build: configure
	cmake --build $(BUILD)

run: program
	@sh tools/move_dist.sh $(OLD_DIST) $(DIST) resources/unins000.dll
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "Vestrano needs a graphical display, and this session has none (DISPLAY is not set)."; \
	  exit 1; \
	fi
	$(DIST)/vestrano

# The program folder PROGRAM_DIR, the menu entry and the icon, by the installer the package
# carries (tools/install.sh): the stripped program and the guide are replaced, the password
# file is written only when missing, and no data file is touched. Needs no root rights.
install: configure
	cmake --build $(BUILD) --target package_folder
	sh $(BUILD)/package/$(PACKAGE)/install.sh "$(PROGRAM_DIR)"

# Removes the program, the guide, the menu entry and the icon; every data file and the
# folder stay. Needs no build.
uninstall:
	sh tools/install.sh --uninstall "$(PROGRAM_DIR)"

package: configure
	cmake --build $(BUILD) --target package_tarball
	@ls -l $(BUILD)/$(PACKAGE).tar.gz | \
	  awk '{ printf "%s: %d bytes (%.0f KiB)\n", $$NF, $$5, $$5 / 1024 }'

test: setup-test build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

bench: configure
	cmake --build $(BUILD) --target bench

# Each target runs for FUZZ_SECONDS on the committed inputs (fuzz/corpus/<target>) and what it
# found before (build-fuzz/corpus/<target>); the longest input each reader is fed is set per
# target: a year file needs room for a whole record.
fuzz: setup
	$(call apt_install,$(FUZZ_PACKAGES))
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

test-sanitize: setup-test
	@[ -f build-sanitize/build.ninja ] || cmake -S . -B build-sanitize -G Ninja \
	  -DCMAKE_BUILD_TYPE=Debug -DVESTRANO_SANITIZE=ON
	cmake --build build-sanitize
	cd build-sanitize && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure

# The C++ files clang-format and clang-tidy look at; both come in version 14, Debian 12's.
CXX_FILES = $(shell find src tests bench fuzz tools -name '*.cpp' -o -name '*.h' | sort)
FORMAT   := clang-format-14
# clang-tidy over the program's sources (the compile database of $(BUILD)); TIDY_FILES narrows
# it down (a regular expression on the path), TIDY_JOBS sets how many run at once.
TIDY_FILES ?= $(CURDIR)/src/
TIDY_JOBS  ?= 2

format-check:
	$(call apt_install,clang-format-14)
	@bad=$$(for f in $(CXX_FILES); do \
	    $(FORMAT) --dry-run --Werror "$$f" > /dev/null 2>&1 || echo "$$f"; done); \
	if [ -n "$$bad" ]; then \
	  echo "$$(echo "$$bad" | wc -l) of $(words $(CXX_FILES)) files differ from .clang-format" \
	    "(make format rewrites them):"; echo "$$bad" | sed 's/^/  /'; exit 1; \
	fi; \
	echo "format-check: the $(words $(CXX_FILES)) C++ files follow .clang-format"

format:
	$(call apt_install,clang-format-14)
	$(FORMAT) -i $(CXX_FILES)

# Needs the generated sources (moc) of the program, so it builds the program first. What
# clang-tidy says goes to $(BUILD)/tidy.log; on a finding, the findings are shown too.
tidy: program
	$(call apt_install,clang-tidy-14)
	@echo "clang-tidy over $(TIDY_FILES), $(TIDY_JOBS) at a time"
	@run-clang-tidy-14 -p $(BUILD) -j $(TIDY_JOBS) -quiet -extra-arg=-Wno-string-concatenation \
	  -extra-arg=-Wno-gnu-zero-variadic-macro-arguments '$(TIDY_FILES)' > $(BUILD)/tidy.raw 2>&1; \
	status=$$?; sed 's/\x1b\[[0-9;]*m//g' $(BUILD)/tidy.raw > $(BUILD)/tidy.log; rm -f $(BUILD)/tidy.raw; \
	if [ $$status -ne 0 ]; then \
	  grep -v '^clang-tidy-14 \|^[0-9]* warnings\? generated\.$$\|^Suppressed \|^Use -header-filter' \
	    $(BUILD)/tidy.log; \
	  echo "clang-tidy: findings above (all in $(BUILD)/tidy.log)"; exit 1; \
	fi; \
	echo "tidy: clang-tidy found nothing in $$(grep -c '^clang-tidy-14 ' $(BUILD)/tidy.log) files"

# Build outputs only. A build folder goes, but for its program folder dist/ when that holds
# data: there the program and the guide go, and the password file when it is still the
# delivered one; the data a developer or tester keeps there stay. A build folder holding data
# files at its top (a program was started from there) is not removed. The old top-level dist/
# is treated like a build's dist/.
clean:
	@for d in $(BUILD) build-sanitize build-fuzz; do \
	  [ -d $$d ] || continue; \
	  found=$$(cd $$d && for n in $(DATA_NAMES); do [ -e "$$n" ] && echo "$$n"; done); \
	  if [ -n "$$found" ]; then \
	    echo "$$d holds data files, not removed: $$found" | tr '\n' ' '; echo; \
	    continue; \
	  fi; \
	  if [ -d $$d/dist ]; then \
	    (cd $$d/dist && rm -f $(DIST_OUTPUTS) && \
	     { ! cmp -s $(CURDIR)/resources/unins000.dll unins000.dll || rm -f unins000.dll; }); \
	    rmdir $$d/dist 2>/dev/null || true; \
	  fi; \
	  if [ -d $$d/dist ]; then \
	    find $$d -mindepth 1 -maxdepth 1 ! -name dist -exec rm -rf {} +; \
	    echo "$$d/dist keeps its data: $$(ls -A $$d/dist | tr '\n' ' ')"; \
	  else \
	    rm -rf $$d; \
	  fi; \
	done
	@if [ -d $(OLD_DIST) ]; then \
	  (cd $(OLD_DIST) && rm -f $(DIST_OUTPUTS) && \
	   { ! cmp -s $(CURDIR)/resources/unins000.dll unins000.dll || rm -f unins000.dll; }); \
	  rmdir $(OLD_DIST) 2>/dev/null || echo "$(OLD_DIST)/ keeps its data: $$(ls -A $(OLD_DIST) | tr '\n' ' ')"; \
	fi
