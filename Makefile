# The two entry points: `make demo` and `make test`. Each installs what is
# missing, builds, then runs.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all setup configure build demo test clean

all: build

setup:
	@bash scripts/setup.sh

$(BUILD)/build.ninja:
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

configure: setup $(BUILD)/build.ninja

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

demo: build
	@bash scripts/demo.sh $(BUILD)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 300

clean:
	rm -rf $(BUILD)
