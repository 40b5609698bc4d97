# Two entry points for a fresh Debian machine; each installs what it needs.
.PHONY: run test release

ARGS ?=

run:
	./scripts/run.sh $(ARGS)

test:
	./scripts/test.sh

# The zip and the Windows installer of a release, in build/release.
release:
	./scripts/release.sh
