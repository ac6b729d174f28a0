#pragma once
// Bounds-checked big-endian reads from an OpenType table. A read past the end gives
// nothing, so a truncated or malformed font can never be read beyond its bytes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace wabunko {

class FontTableBytes {
public:
  explicit FontTableBytes(std::string_view data) : data_(data) {}

  std::size_t size() const { return data_.size(); }

  std::optional<std::uint16_t> u16(std::size_t at) const {
    if (!fits(at, 2)) return std::nullopt;
    return static_cast<std::uint16_t>(byte(at) << 8 | byte(at + 1));
  }
  std::optional<std::int16_t> i16(std::size_t at) const {
    const auto value = u16(at);
    if (!value) return std::nullopt;
    return static_cast<std::int16_t>(*value);
  }
  std::optional<std::uint32_t> u32(std::size_t at) const {
    const auto high = u16(at);
    const auto low = u16(at + 2);
    if (!high || !low) return std::nullopt;
    return std::uint32_t{*high} << 16 | *low;
  }
  std::optional<std::string_view> tag(std::size_t at) const {
    if (!fits(at, 4)) return std::nullopt;
    return data_.substr(at, 4);
  }

private:
  bool fits(std::size_t at, std::size_t n) const { return at <= data_.size() && n <= data_.size() - at; }
  unsigned byte(std::size_t at) const { return static_cast<unsigned char>(data_[at]); }

  std::string_view data_;
};

}  // namespace wabunko
