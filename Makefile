# The one driver of the project. `make test` and `make demo` work on a fresh Debian machine:
# they install what is missing first.
#
#   make build [UPDATE_ROOT=http[s]://HOST[:PORT]] [FEED_KEY=PUBLIC.pem]   both trees
#   make test                                        every test, native and under Wine
#   make demo [SIGNED=1] [HTTPS=1]                   the client against the demo update server (a
#                                                    signed root and a build with the key; the
#                                                    server over TLS and a build stamped for it)
#   make bench / make fuzz FUZZ=<target> SECONDS=<n> measurements, kept out of `make test`

UPDATE_ROOT ?= http://127.0.0.1:8642
CLIENT_VERSION ?= 1.3
# The vendor's public key built into the client (empty: a build without one, as by default).
FEED_KEY ?=
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
BUILD := $(CURDIR)/build
HOST := $(BUILD)/host
WIN := $(BUILD)/win
export WINEPREFIX := $(BUILD)/wineprefix
export WINEDEBUG := -all
export WINEDLLOVERRIDES := mscoree,mshtml=;winemenubuilder.exe=d

# Debian packages the build, the tests and the demo need; the benchmarks and the fuzzers need a
# few more. libssl-dev is for the signing tool, openssl for the keys the tests make with it,
# libgnutls30 for ECDSA in Wine's bcrypt (wine only recommends it).
PACKAGES := cmake make g++ python3 zlib1g-dev googletest mingw-w64 libz-mingw-w64-dev \
            wine wine64 xvfb xauth imagemagick procps util-linux libssl-dev openssl libgnutls30
BENCH_PACKAGES := libbenchmark-dev curl
FUZZ_PACKAGES := clang libclang-rt-14-dev

.PHONY: all build host win deps deps-bench deps-fuzz install-packages test test-host test-win demo bench fuzz clean \
        wineprefix

all: build

deps:
	@$(MAKE) --no-print-directory install-packages LIST="$(PACKAGES)"
deps-bench: deps
	@$(MAKE) --no-print-directory install-packages LIST="$(BENCH_PACKAGES)"
deps-fuzz: deps
	@$(MAKE) --no-print-directory install-packages LIST="$(FUZZ_PACKAGES)"

install-packages:
	@missing=$$(for p in $(LIST); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "installing:" $$missing; \
	  if [ "$$(id -u)" -eq 0 ]; then SUDO=; else SUDO=sudo; fi; \
	  $$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing; \
	fi

# The root is checked first, by the stamper's rule (checkroot, a host tool made before anything
# else): a root the client cannot use stops the build at once, and no client is left behind.
host: deps
	cmake -S . -B $(HOST) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLVAR_UPDATE_ROOT=$(UPDATE_ROOT) \
	  -DTOLVAR_CLIENT_VERSION=$(CLIENT_VERSION) >/dev/null
	cmake --build $(HOST) --target checkroot -j $(JOBS) >/dev/null
	@$(HOST)/bin/checkroot '$(UPDATE_ROOT)' || { rm -f $(WIN)/bin/TolvarClient.exe; exit 1; }
	cmake --build $(HOST) -j $(JOBS)

win: host
	cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DTOLVAR_UPDATE_ROOT=$(UPDATE_ROOT) -DTOLVAR_CLIENT_VERSION=$(CLIENT_VERSION) \
	  -DTOLVAR_HOST_BIN=$(HOST)/bin -DTOLVAR_FEED_KEY=$(if $(FEED_KEY),$(abspath $(FEED_KEY))) >/dev/null
	cmake --build $(WIN) -j $(JOBS)

build: host win

$(WINEPREFIX)/.tolvar-ready:
	cmake/wine-prefix-init

wineprefix: deps $(WINEPREFIX)/.tolvar-ready

test-host: host
	ctest --test-dir $(HOST) -j $(JOBS) --output-on-failure

# The Windows tests share one X server and one Wine server, both ended afterwards.
test-win: win wineprefix
	xvfb-run -a -s "-screen 0 1280x1024x24" sh -c \
	  'ctest --test-dir $(WIN) -j $(JOBS) --output-on-failure; rc=$$?; wineserver -k; exit $$rc'

test: build
	$(MAKE) --no-print-directory test-host
	$(MAKE) --no-print-directory test-win

demo: build wineprefix
	tools/demo/run-demo $(WIN)/bin $(BUILD) $(if $(SIGNED),--signed) $(if $(HTTPS),--https)

bench: deps-bench
	cmake -S . -B $(BUILD)/bench -DCMAKE_BUILD_TYPE=Release -DTOLVAR_TESTS=OFF -DTOLVAR_BENCHMARKS=ON >/dev/null
	cmake --build $(BUILD)/bench -j $(JOBS)
	tools/bench/run-benchmarks $(BUILD)

FUZZ ?= all
SECONDS ?= 60
fuzz: deps-fuzz
	CC=clang CXX=clang++ cmake -S . -B $(BUILD)/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLVAR_TESTS=OFF \
	  -DTOLVAR_FUZZERS=ON >/dev/null
	cmake --build $(BUILD)/fuzz -j $(JOBS)
	tools/fuzz/run-fuzzers $(BUILD)/fuzz $(FUZZ) $(SECONDS)

clean:
	-wineserver -k 2>/dev/null
	rm -rf $(BUILD)
