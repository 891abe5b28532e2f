// SPDX-License-Identifier: MIT
#pragma once
// The checks of the fuzz targets, one per target file. The fuzzers call them from libFuzzer; the
// regression tests call them on every saved input.
#include <cstddef>
#include <cstdint>

int FuzzPatternReader(const std::uint8_t* data, std::size_t size);
int FuzzHeader(const std::uint8_t* data, std::size_t size);
int FuzzIndexFile(const std::uint8_t* data, std::size_t size);
int FuzzMaskTable(const std::uint8_t* data, std::size_t size);
int FuzzGifWriter(const std::uint8_t* data, std::size_t size);
int FuzzAngleList(const std::uint8_t* data, std::size_t size);
