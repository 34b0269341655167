# The two commands of the quick start: `make demo` and `make test`. Each installs the Debian
# packages it needs when they are missing, configures, builds and runs.

SHELL := /bin/bash
BUILD ?= build
BUILD_ASAN ?= build-asan
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

# Everything the build, the tests, the demo and the benchmarks need, from Debian 12.
PACKAGES := cmake make g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libbenchmark-dev \
            fonts-dejavu-core locales python3

# Root installs directly; anyone else through sudo (see the README).
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

# No display: run the dialogs offscreen.
HEADLESS := $(if $(or $(DISPLAY),$(WAYLAND_DISPLAY)),,yes)

.PHONY: all deps locale build test demo asan bench gallery install clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' "$$p" 2>/dev/null | grep -q '^install ok installed' || echo "$$p"; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y $$missing; \
	fi
	@$(MAKE) --no-print-directory locale

# A comma-decimal locale for the test that numbers ignore the locale.
locale:
	@locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$$' || $(SUDO) localedef -i de_DE -f UTF-8 de_DE.UTF-8 \
	  || echo "note: no de_DE.UTF-8 locale; the locale test will be skipped"

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The demo: the retracement dialog with the usual levels, orange lines (0x00BBGGRR), both options on.
DEMO := $(BUILD)/cli/zarvlinesparm show RetracementParmClass \
        --set 'V(1)=0.236' --set 'V(2)=0.382' --set 'V(3)=0.5' --set 'V(4)=0.618' --set 'V(5)=0.786' \
        --set 'V(6)=1' --set 'Cor(1)=33023' --set Extend=1 --set Numbers=1

demo: build
ifeq ($(HEADLESS),yes)
	@echo "No display: showing the dialog offscreen, saving demo.png and pressing OK."
	QT_QPA_PLATFORM=offscreen $(DEMO) --screenshot demo.png --press ok
else
	$(DEMO)
endif

# The whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer (LeakSanitizer on).
asan: deps
	cmake -S . -B $(BUILD_ASAN) -DCMAKE_BUILD_TYPE=Debug -DZARVLINESPARM_SANITIZE=ON
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	cd $(BUILD_ASAN) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp ctest --output-on-failure -j $(JOBS)

bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/codec_bench
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/start_bench

# The pictures of every dialog in the README, at device pixel ratio 1 and 2.
gallery: build
	$(BUILD)/cli/zarvlinesparm gallery docs/gallery

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) demo.png
