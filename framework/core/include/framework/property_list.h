#pragma once
// Property lists: the layout of a window or control as bytes. Entries stand
// back to back, without count or terminator: the property's name, one blank,
// then the value in the width of the property's declared type (integers are
// little-endian):
//   Boolean  1 byte, 0 or 1          FontSize  4-byte IEEE float
//   Integer  8 bytes, signed         Double    8-byte IEEE double
//   FontUnit 1 byte                  Color     4 bytes, 0x00RRGGBB
//   Text     32-bit byte count, then the UTF-8 bytes
// A value carries no type tag, so only the class that owns the property can
// read it back.

#include <concepts>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace fw {

enum class PropertyType : uint8_t { Boolean, Integer, FontUnit, FontSize, Double, Color, Text };

struct Color {
  uint32_t value = 0;
  friend bool operator==(Color, Color) = default;
};

struct FontUnit {
  uint8_t value = 0;
  friend bool operator==(FontUnit, FontUnit) = default;
};

// The alternatives stand in the order of PropertyType.
using PropertyValue = std::variant<bool, int64_t, FontUnit, float, double, Color, std::string>;

PropertyType TypeOf(const PropertyValue& value);
const char* TypeName(PropertyType type);

struct Property {
  std::string name;
  PropertyValue value;

  // One constructor per kind of literal, so a layout table picks the intended
  // type: an int is an Integer (never a Boolean or a float), a string
  // literal is Text (never a Boolean).
  Property() = default;
  Property(std::string propertyName, PropertyValue propertyValue)
      : name(std::move(propertyName)), value(std::move(propertyValue)) {}
  Property(std::string propertyName, bool flag) : name(std::move(propertyName)), value(flag) {}
  template <std::integral T>
  requires(!std::same_as<T, bool>) Property(std::string propertyName, T number)
      : name(std::move(propertyName)), value(static_cast<int64_t>(number)) {}
  Property(std::string propertyName, FontUnit unit) : name(std::move(propertyName)), value(unit) {}
  Property(std::string propertyName, float size) : name(std::move(propertyName)), value(size) {}
  Property(std::string propertyName, double number)
      : name(std::move(propertyName)), value(number) {}
  Property(std::string propertyName, Color color) : name(std::move(propertyName)), value(color) {}
  Property(std::string propertyName, const char* text)
      : name(std::move(propertyName)), value(std::string(text)) {}
  Property(std::string propertyName, std::string text)
      : name(std::move(propertyName)), value(std::move(text)) {}
  Property(std::string propertyName, std::string_view text)
      : name(std::move(propertyName)), value(std::string(text)) {}

  friend bool operator==(const Property&, const Property&) = default;
};

// Answers a property's declared type, or nullopt when the class has no
// property of that name.
using PropertyTypeLookup = std::function<std::optional<PropertyType>(std::string_view name)>;

class PropertyList {
 public:
  PropertyList() = default;
  // Encodes the entries in order, so layouts read as tables:
  //   {{"Width", 650}, {"Title", "Results"}, {"FontSize", 12.0f}, {"TextColor", Color{0}}}
  // A name that is empty or holds a blank could not be read back and raises
  // UnsupportedFormatException.
  PropertyList(std::initializer_list<Property> entries);

  static PropertyList FromBytes(std::vector<uint8_t> bytes);

  // Encodes one more entry at the end.
  void Append(const Property& entry);

  const std::vector<uint8_t>& Bytes() const { return bytes_; }

  // Decodes every entry with the declared type of its name. A name the lookup
  // does not know raises KeyNotFoundException ("No property \"Foo\" in class
  // Label"); a list that ends inside an entry raises UnsupportedFormatException
  // naming it.
  std::vector<Property> Decode(const PropertyTypeLookup& typeOf, std::string_view className) const;

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace fw
