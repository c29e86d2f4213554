# The two commands of the README: `make play` and `make test`. Both install what is missing first.
JOBS  ?= $(shell nproc)
BUILD ?= build
ASAN  ?= build-asan
TSAN  ?= build-tsan

.PHONY: play test deps build build-asan build-tsan test-main test-asan test-tsan format-check bench clean

deps:
	./scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

build-asan: deps
	cmake -S . -B $(ASAN) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEL_SANITIZE=ON -DVEL_BUILD_BENCH=OFF
	cmake --build $(ASAN) -j$(JOBS)

# The HTTP service's tests under ThreadSanitizer: only their program and what it links are built.
build-tsan: deps
	cmake -S . -B $(TSAN) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEL_SANITIZE_THREAD=ON -DVEL_BUILD_BENCH=OFF
	cmake --build $(TSAN) -j$(JOBS) --target http_tests

play: build
	./scripts/play.sh $(BUILD)/dist

test-main: build
	cd $(BUILD) && ctest --output-on-failure --timeout 300 -j$(JOBS)

test-asan: build-asan
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure --timeout 600 -j$(JOBS)

test-tsan: build-tsan
	cd $(TSAN) && TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
	  ctest --output-on-failure --timeout 300 -j$(JOBS) -L http

# Every C++ file in the project's format (.clang-format); a file that is not is named.
format-check: deps
	./scripts/check-format.sh

test: format-check test-main test-asan test-tsan

clean:
	rm -rf $(BUILD) $(ASAN) $(TSAN)
