# The README's commands. Each installs what it needs (apt-get) the first time.
.PHONY: build run test clean

build:
	@bash scripts/build.sh

run:
	@bash scripts/run.sh

test:
	@bash scripts/test.sh

clean:
	rm -rf build
