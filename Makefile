BUILD_DIR := build
CMAKE_FLAGS ?=
PREFIX ?= /usr/local

.PHONY: run test build install package

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

build: $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) --target tallimo

run:
	scripts/install-deps run
	$(MAKE) build
	$(BUILD_DIR)/tallimo

test:
	scripts/install-deps test
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR)
	cd $(BUILD_DIR) && ctest --output-on-failure --timeout 300 -j 2

install:
	scripts/install-deps build
	$(MAKE) build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

package:
	scripts/install-deps package
	$(MAKE) build
	cpack -G DEB --config $(BUILD_DIR)/CPackConfig.cmake -B $(BUILD_DIR)
