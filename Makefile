# The README's commands. Each installs what it needs (apt-get) the first time.
.PHONY: build run test bench fuzz soak clean

build:
	@bash scripts/build.sh

run:
	@bash scripts/run.sh

test:
	@bash scripts/test.sh

bench:
	@bash scripts/bench.sh

fuzz:
	@bash scripts/fuzz.sh

soak:
	@bash scripts/soak.sh

clean:
	rm -rf build
