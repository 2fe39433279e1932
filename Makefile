# The two commands of the README:
#   make run   installs what is missing, builds, lays out the program folder
#              (Miqatix/) and starts qamtar from it
#   make test  installs what is missing, builds and runs every test headless

BUILD := build
JOBS := $(shell nproc)

.PHONY: all deps configure build run test benchmarks clean

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
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

benchmarks: configure
	@cmake --build $(BUILD) -j $(JOBS) --target benchmarks

clean:
	@rm -rf $(BUILD)
