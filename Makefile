# Two entry points for a fresh Debian machine; each installs what it needs.
.PHONY: run test

ARGS ?=

run:
	./scripts/run.sh $(ARGS)

test:
	./scripts/test.sh
