# The two entry points: `make demo` and `make test`. Each installs what is
# missing, builds, then runs.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all setup configure build demo test shuffle sanitize tsan fuzz clean

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

# Every test binary again, whole and in a random order (CTest runs each test
# alone, so it cannot see a test that depends on another having run first).
shuffle: build
	@bash scripts/shuffle-tests.sh $(BUILD)

# Checked builds, each in a folder of its own beside $(BUILD): every test
# under AddressSanitizer and UndefinedBehaviorSanitizer; the tests of the
# threaded parts under ThreadSanitizer. Any finding fails the test.
ASAN_BUILD ?= build-asan
TSAN_BUILD ?= build-tsan
# Tests fork children that start threads of their own (a fresh process for
# hooks that stay installed); ThreadSanitizer would end such a child unless
# told that this is expected (die_after_fork=0).
SANITIZER_ENV = ASAN_OPTIONS=detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1 \
	UBSAN_OPTIONS=print_stacktrace=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan-suppressions.txt:print_suppressions=0 \
	TSAN_OPTIONS=second_deadlock_stack=1:die_after_fork=0
# The test groups that run threads: the runtime and queues, notifications,
# the accounts, link marking in the feed, the host processes, downloads.
TSAN_GROUPS = platform core accounts feed integration media
TSAN_TARGETS = $(foreach g,$(TSAN_GROUPS),$(if $(wildcard tests/$(g)/*.cpp),tests_$(g)))

sanitize: setup
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DIGTARVO_SANITIZE=address,undefined >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS) --timeout 600

tsan: setup
	@cmake -S . -B $(TSAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DIGTARVO_SANITIZE=thread >/dev/null
	@cmake --build $(TSAN_BUILD) -j $(JOBS) --target $(TSAN_TARGETS)
	@cd $(TSAN_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS) --timeout 600 \
		-L '^($(shell echo $(TSAN_GROUPS) | tr ' ' '|'))$$'

# Fuzzing: one libFuzzer target per parser, built by clang, each run for
# FUZZ_SECONDS over its seed corpus in fuzz/corpus.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60

fuzz: setup
	@CC=clang-16 CXX=clang++-16 cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DIGTARVO_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	@LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan-suppressions.txt bash scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD)
