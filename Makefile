# The two commands of the README:
#   make run   installs what is missing, builds, lays out the program folder
#              (Miqatix/) and starts qamtar from it
#   make test  installs what is missing, builds and runs every test headless,
#              then builds the tests again with the sanitizers below and runs
#              them all once more (CI runs exactly this). Run by root, as CI
#              runs it, it also runs the tests of build/ as the user nobody
#              between the two (scripts/test-as-nobody): the tests must pass
#              for an ordinary user as well, and root alone would not show it.
#
# make format-check refuses a .cpp or .h file of src/, tests/ or benchmarks/
# that is off the project's .clang-format, naming it and the fixing command.
#
# make sanitize builds a second tree with AddressSanitizer and
# UndefinedBehaviorSanitizer (build-sanitize/, its own program folder inside
# it) and runs every test there; any finding fails the test that made it.

BUILD := build
SANITIZE_BUILD := build-sanitize
SANITIZE_ENV := ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
JOBS := $(shell nproc)

.PHONY: all deps configure build run test sanitize benchmarks format-check clean

all: build

deps:
	@./scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -x Miqatix/qamtar ]; then cd Miqatix && exec ./qamtar; \
	 else echo "The program folder is laid out in Miqatix/; qamtar is not built yet."; fi

test: build
	@./scripts/check-format
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	@./scripts/skip-reasons $(BUILD)
	@if [ "$$(id -u)" -eq 0 ]; then ./scripts/test-as-nobody $(BUILD) $(JOBS); fi
	@$(MAKE) --no-print-directory sanitize

sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIQATIX_SANITIZE=ON \
	  -DMIQATIX_PROGRAM_FOLDER=$(CURDIR)/$(SANITIZE_BUILD)/Miqatix > /dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen $(SANITIZE_ENV) \
	  ctest --output-on-failure -j $(JOBS)
	@./scripts/skip-reasons $(SANITIZE_BUILD)

format-check: deps
	@./scripts/check-format

benchmarks: configure
	@cmake --build $(BUILD) -j $(JOBS) --target benchmarks

clean:
	@rm -rf $(BUILD) $(SANITIZE_BUILD)
