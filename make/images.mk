# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# `make approve-images`: runs the reference image tests and takes every image they drew that
# differs from its reference, or has none, as the new reference under tests/panel/images/,
# losslessly compressed with optipng. Look at each before committing it (git diff shows
# which changed), and say in the commit message why the look changed.
IMAGES_DRAWN = $(BUILD)/tests/panel-images

.PHONY: approve-images

approve-images: build
	@rm -rf -- '$(IMAGES_DRAWN)'
	@cd $(BUILD) && ctest -R '^PanelImages\.' -j $(JOBS) > /dev/null || true
	@scripts/install-deps.sh optipng
	@shopt -s nullglob; approved=(); \
	for image in '$(IMAGES_DRAWN)'/*/*.png; do \
	    [[ $$image != *.diff.png ]] || continue; \
	    folder=tests/panel/images/$$(basename "$$(dirname "$$image")"); \
	    mkdir -p "$$folder" && cp "$$image" "$$folder/" && approved+=("$$folder/$${image##*/}"); \
	done; \
	if [ $${#approved[@]} -eq 0 ]; then echo "Every image matches its reference."; exit 0; fi; \
	optipng -quiet -o2 "$${approved[@]}"; \
	printf 'approved %s\n' "$${approved[@]}"
