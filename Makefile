# kv2gxb: `make demo` runs the wizard on a built-in example, `make test` builds
# and runs every test, `make gui` starts the interactive wizard, `make fuzz`
# runs each fuzz target of tests/fuzz/ for FUZZ_SECONDS seconds.
PRESET   ?= release
# The folder the preset configures (CMakePresets.json): build/ for release,
# build-<preset>/ for the others.
BUILD    ?= $(if $(filter release,$(PRESET)),build,build-$(PRESET))
JOBS     ?= 2
PACKAGES := cmake g++ make pkg-config libgtest-dev qt6-base-dev libgl-dev \
            libpugixml-dev libfreetype-dev libfontconfig1-dev fonts-liberation tcl8.6 \
            xvfb xauth xdotool
# libFuzzer comes with clang's runtime libraries; only `make fuzz` needs them.
FUZZ_PACKAGES := clang libclang-rt-14-dev
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := $(patsubst tests/fuzz/%_fuzz.cpp,%,$(wildcard tests/fuzz/*_fuzz.cpp))

.PHONY: all deps configure build test demo gui fuzz clean

all: build

# Installs the Debian packages that are missing: with apt-get when root,
# otherwise prints the exact command and stops.
deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing:$$missing"; \
	    DEBIAN_FRONTEND=noninteractive apt-get update -q && \
	    DEBIAN_FRONTEND=noninteractive apt-get install -y -q $$missing || exit 1; \
	  else \
	    echo "Missing packages. Run:"; echo "  sudo apt-get install -y$$missing"; exit 1; \
	  fi; \
	fi

# CI builds with warnings as errors.
CMAKE_FLAGS ?= $(if $(CI),-DKV2GXB_WERROR=ON)

configure: deps
	@cmake --preset $(PRESET) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

demo: build
	@sh tools/demo.sh $(BUILD)

gui: build
	@sh tools/gui.sh $(BUILD)

# Each target fuzzes into its own working corpus under build-fuzz/corpus/,
# starting from the seeds in tests/fuzz/corpus/; a failing input is saved
# under build-fuzz/artifacts/ and ends the run with an error.
fuzz:
	@$(MAKE) --no-print-directory deps PACKAGES="$(PACKAGES) $(FUZZ_PACKAGES)"
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz
	@mkdir -p build-fuzz/artifacts
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p build-fuzz/corpus/$$t; \
	  echo "fuzz_$$t: $(FUZZ_SECONDS) s"; \
	  seeds=tests/fuzz/corpus/$$t; [ -d $$seeds ] || seeds=; \
	  build-fuzz/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=build-fuzz/artifacts/$$t- build-fuzz/corpus/$$t $$seeds || exit 1; \
	done

clean:
	rm -rf build build-debug build-sanitize build-fuzz
