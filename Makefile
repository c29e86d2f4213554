# The two commands of the README: `make play` and `make test`. Both install what is missing first.
JOBS  ?= $(shell nproc)
BUILD ?= build
ASAN  ?= build-asan

.PHONY: play test deps build build-asan test-main test-asan format-check bench clean

deps:
	./scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

build-asan: deps
	cmake -S . -B $(ASAN) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEL_SANITIZE=ON -DVEL_BUILD_BENCH=OFF
	cmake --build $(ASAN) -j$(JOBS)

play: build
	./scripts/play.sh $(BUILD)/dist

test-main: build
	cd $(BUILD) && ctest --output-on-failure --timeout 300 -j$(JOBS)

test-asan: build-asan
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure --timeout 600 -j$(JOBS)

# Every C++ file in the project's format (.clang-format); a file that is not is named.
format-check: deps
	./scripts/check-format.sh

test: format-check test-main test-asan

clean:
	rm -rf $(BUILD) $(ASAN)
