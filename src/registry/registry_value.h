// What a registry read gives back: a text or a signed 32-bit number.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <variant>

namespace ferrolis::registry {

class RegistryValue {
 public:
  RegistryValue() : data_(std::string()) {}
  explicit RegistryValue(std::string text) : data_(std::move(text)) {}
  explicit RegistryValue(std::int32_t number) : data_(number) {}

  bool IsNumber() const { return std::holds_alternative<std::int32_t>(data_); }
  // The number; 0 for a text.
  std::int32_t Number() const {
    const auto* n = std::get_if<std::int32_t>(&data_);
    return n ? *n : 0;
  }
  // The text as read, or a number in decimal ("1", "-1").
  std::string Text() const {
    if (const auto* n = std::get_if<std::int32_t>(&data_)) return std::to_string(*n);
    return std::get<std::string>(data_);
  }

  friend bool operator==(const RegistryValue&, const RegistryValue&) = default;

 private:
  std::variant<std::string, std::int32_t> data_;
};

}  // namespace ferrolis::registry
