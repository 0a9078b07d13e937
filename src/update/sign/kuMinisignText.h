#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tessaro {

// The lines of a minisign key or signature file: LF or CR LF line ends, the last line
// end optional, empty lines at the end ignored.
std::vector<std::string_view> MinisignLines(std::string_view text);

// Strict standard Base64 ("=" padding, no spaces, unused bits zero) of exactly
// `size` bytes; nothing otherwise.
std::optional<std::vector<std::uint8_t>> DecodeMinisignBase64(std::string_view text,
                                                              std::size_t size);

// Copies bytes [offset, offset + N) of a decoded field.
template <std::size_t N>
std::array<std::uint8_t, N> MinisignField(const std::vector<std::uint8_t>& bytes,
                                          std::size_t offset) {
    std::array<std::uint8_t, N> field{};
    for (std::size_t i = 0; i < N; ++i) field[i] = bytes.at(offset + i);
    return field;
}

}  // namespace tessaro
