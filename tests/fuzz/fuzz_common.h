// Shared start-up of the fuzz targets: the headless driver (Allegro with no
// system driver, 16-bit colour) in a scratch folder of its own.
#pragma once

#include <cstddef>
#include <cstdint>

void fuzz_start(void);
// Writes the input as a file in the scratch folder.
void fuzz_write_file(const char *name, const uint8_t *data, size_t size);
// Stops the run with a report libFuzzer keeps as a crash.
void fuzz_fail(const char *what);
