# The two commands of the quick start: `make demo` and `make test`. Each installs the Debian
# packages it needs when they are missing, configures, builds and runs.

SHELL := /bin/bash
BUILD ?= build
BUILD_ASAN ?= build-asan
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

# Everything the build, the tests, the demo and the benchmarks need, from Debian 12.
PACKAGES := cmake make g++ pkg-config qt6-base-dev libgl-dev libxcb1-dev libgtest-dev libbenchmark-dev \
            libcli11-dev nlohmann-json3-dev \
            fonts-dejavu-core locales python3 python3-pyqt6 python3-pyqtgraph python3-pytest xvfb \
            x11-utils dbus at-spi2-core gir1.2-atspi-2.0 python3-gi
# Only `make format` and `make format-check` need this.
FORMAT_PACKAGES := clang-format
# Only `make fuzz` needs these: clang with its libFuzzer runtime.
FUZZ_PACKAGES := clang libclang-rt-dev
BUILD_FUZZ ?= build-fuzz
FUZZ_SECONDS ?= 60
SOAK_CALLS ?= 10000

# Root installs directly; anyone else through sudo (see the README).
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

# No display: run the dialogs offscreen.
HEADLESS := $(if $(or $(DISPLAY),$(WAYLAND_DISPLAY)),,yes)

.PHONY: all deps fuzz-deps locale build test demo asan bench soak fuzz exhaustive gallery install clean \
        format format-check

all: build

# Installs the packages named in $(1) that are missing.
define install-missing
	@missing=$$(for p in $(1); do \
	    dpkg-query -W -f='$${Status}\n' "$$p" 2>/dev/null | grep -q '^install ok installed' || echo "$$p"; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y $$missing; \
	fi
endef

deps:
	$(call install-missing,$(PACKAGES))
	@$(MAKE) --no-print-directory locale

fuzz-deps:
	$(call install-missing,$(FUZZ_PACKAGES))

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

# The demo: the chart on the sample data with one tool of each kind, built alone (the library
# and zarvchart, no tests). With no display it renders demo.png after one tool's parameters were
# changed through its dialog, and prints what changed.
demo: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target zarvchart
ifeq ($(HEADLESS),yes)
	@echo "No display: editing the retracement through its dialog offscreen and saving the chart as demo.png."
	$(BUILD)/chart/zarvchart --demo --screenshot demo.png
else
	$(BUILD)/chart/zarvchart --demo
endif

# The whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer (LeakSanitizer on).
asan: deps
	cmake -S . -B $(BUILD_ASAN) -DCMAKE_BUILD_TYPE=Debug -DZARVLINESPARM_SANITIZE=ON
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	cd $(BUILD_ASAN) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 ctest --output-on-failure -j $(JOBS)

bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/codec_bench
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/start_bench
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/preview_bench
	$(BUILD)/bench/load_bench
	$(BUILD)/bench/registry_bench
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/chart_bench
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/price_file_bench

# The long soak: $(SOAK_CALLS) Starts over every class on a fresh Xvfb server (make test runs 500).
soak: build
	tests/support/on_xvfb.sh $(BUILD)/tests/soak --calls $(SOAK_CALLS)

# Every float through the number rules, on every core; takes minutes (see docs/evidence.md).
exhaustive: build
	$(BUILD)/bench/number_exhaustive

# Each libFuzzer target for $(FUZZ_SECONDS) s from the seed corpus in fuzz/corpus; what it finds
# new goes to $(BUILD_FUZZ)/corpus, crashes to $(BUILD_FUZZ)/crashes.
fuzz: deps fuzz-deps
	cmake -S . -B $(BUILD_FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
	  -DCMAKE_CXX_COMPILER=clang++ -DZARVLINESPARM_FUZZ=ON -DZARVLINESPARM_TESTS=OFF \
	  -DZARVLINESPARM_BENCH=OFF -DZARVLINESPARM_CLI=OFF
	cmake --build $(BUILD_FUZZ) -j $(JOBS)
	@for target in number_reading late_binding; do \
	  mkdir -p $(BUILD_FUZZ)/corpus/$$target $(BUILD_FUZZ)/crashes && \
	  echo "== $${target}_fuzz, $(FUZZ_SECONDS) s" && \
	  ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	    $(BUILD_FUZZ)/fuzz/$${target}_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=$(BUILD_FUZZ)/crashes/ $(BUILD_FUZZ)/corpus/$$target fuzz/corpus/$$target \
	    || exit 1; \
	done

# The pictures of every dialog in docs/hosts.md, at device pixel ratio 1 and 2.
gallery: build
	$(BUILD)/cli/zarvlinesparm gallery docs/gallery

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_FUZZ) demo.png

# The layout .clang-format gives the C and C++ sources: `format` applies it, `format-check` only
# says where it is not kept (CI runs it).
format:
	$(call install-missing,$(FORMAT_PACKAGES))
	git ls-files -z '*.c' '*.cpp' '*.h' | xargs -0 clang-format -i

format-check:
	$(call install-missing,$(FORMAT_PACKAGES))
	git ls-files -z '*.c' '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
