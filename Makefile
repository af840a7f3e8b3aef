BUILD_DIR := build
CMAKE_FLAGS ?=

.PHONY: run test build

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
