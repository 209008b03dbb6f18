# kv2gxb: `make demo` runs the wizard on a built-in example, `make test` builds
# and runs every test, `make gui` starts the interactive wizard.
PRESET   ?= release
# The folder the preset configures (CMakePresets.json): build/ for release,
# build-<preset>/ for the others.
BUILD    ?= $(if $(filter release,$(PRESET)),build,build-$(PRESET))
JOBS     ?= 2
PACKAGES := cmake g++ make pkg-config libgtest-dev qt6-base-dev libgl-dev \
            libpugixml-dev libfreetype-dev libfontconfig1-dev fonts-liberation tcl8.6

.PHONY: all deps configure build test demo gui clean

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

clean:
	rm -rf build build-debug build-sanitize
