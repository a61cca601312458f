#include "framework/property_list.h"

#include <bit>
#include <type_traits>

#include "framework/exceptions.h"

namespace fw {

namespace {

template <class... Handlers>
struct Overloaded : Handlers... {
  using Handlers::operator()...;
};
template <class... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;  // clang 14 lacks aggregate deduction

void AppendLittleEndian(std::vector<uint8_t>& bytes, uint64_t value, size_t width) {
  for (size_t k = 0; k < width; ++k) {
    bytes.push_back(static_cast<uint8_t>(value >> (8 * k)));
  }
}

// Reads one list front to back; every read first checks that the bytes are there.
class PropertyReader {
 public:
  explicit PropertyReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

  bool AtEnd() const { return at_ == bytes_.size(); }

  std::string ReadName() {
    const size_t start = at_;
    while (at_ < bytes_.size() && bytes_[at_] != ' ') {
      ++at_;
    }
    std::string name(bytes_.begin() + static_cast<std::ptrdiff_t>(start),
                     bytes_.begin() + static_cast<std::ptrdiff_t>(at_));
    if (AtEnd()) {
      throw UnsupportedFormatException("Property list ends inside the name of entry \"" + name +
                                       "\"");
    }
    ++at_;  // the blank
    return name;
  }

  PropertyValue ReadValue(PropertyType type, const std::string& name) {
    switch (type) {
      case PropertyType::Boolean:
        return ReadUnsigned(1, name) != 0;
      case PropertyType::Integer:
        return static_cast<int64_t>(ReadUnsigned(8, name));
      case PropertyType::FontUnit:
        return FontUnit{static_cast<uint8_t>(ReadUnsigned(1, name))};
      case PropertyType::FontSize:
        return std::bit_cast<float>(static_cast<uint32_t>(ReadUnsigned(4, name)));
      case PropertyType::Double:
        return std::bit_cast<double>(ReadUnsigned(8, name));
      case PropertyType::Color:
        return Color{static_cast<uint32_t>(ReadUnsigned(4, name))};
      case PropertyType::Text: {
        const auto length = static_cast<size_t>(ReadUnsigned(4, name));
        Require(length, name);
        std::string text(bytes_.begin() + static_cast<std::ptrdiff_t>(at_),
                         bytes_.begin() + static_cast<std::ptrdiff_t>(at_ + length));
        at_ += length;
        return text;
      }
    }
    throw UnsupportedFormatException("Property \"" + name + "\" has an unknown type");
  }

 private:
  void Require(size_t count, const std::string& name) const {
    if (bytes_.size() - at_ < count) {
      throw UnsupportedFormatException("Property list ends inside the value of entry \"" + name +
                                       "\"");
    }
  }

  uint64_t ReadUnsigned(size_t width, const std::string& name) {
    Require(width, name);
    uint64_t value = 0;
    for (size_t k = 0; k < width; ++k) {
      value |= static_cast<uint64_t>(bytes_[at_ + k]) << (8 * k);
    }
    at_ += width;
    return value;
  }

  const std::vector<uint8_t>& bytes_;
  size_t at_ = 0;
};

}  // namespace

PropertyType TypeOf(const PropertyValue& value) {
  return std::visit(Overloaded{
                        [](bool) { return PropertyType::Boolean; },
                        [](int64_t) { return PropertyType::Integer; },
                        [](FontUnit) { return PropertyType::FontUnit; },
                        [](float) { return PropertyType::FontSize; },
                        [](double) { return PropertyType::Double; },
                        [](Color) { return PropertyType::Color; },
                        [](const std::string&) { return PropertyType::Text; },
                    },
                    value);
}

const char* TypeName(PropertyType type) {
  switch (type) {
    case PropertyType::Boolean:
      return "Boolean";
    case PropertyType::Integer:
      return "Integer";
    case PropertyType::FontUnit:
      return "FontUnit";
    case PropertyType::FontSize:
      return "FontSize";
    case PropertyType::Double:
      return "Double";
    case PropertyType::Color:
      return "Color";
    case PropertyType::Text:
      return "Text";
  }
  return "Unknown";
}

PropertyList::PropertyList(std::initializer_list<Property> entries) {
  for (const Property& entry : entries) {
    Append(entry);
  }
}

PropertyList PropertyList::FromBytes(std::vector<uint8_t> bytes) {
  PropertyList list;
  list.bytes_ = std::move(bytes);
  return list;
}

void PropertyList::Append(const Property& entry) {
  if (entry.name.empty() || entry.name.find(' ') != std::string::npos) {
    throw UnsupportedFormatException("Property name \"" + entry.name +
                                     "\" cannot stand in a property list");
  }
  bytes_.insert(bytes_.end(), entry.name.begin(), entry.name.end());
  bytes_.push_back(' ');
  std::visit(
      Overloaded{
          [this](bool flag) { bytes_.push_back(flag ? 1 : 0); },
          [this](int64_t number) { AppendLittleEndian(bytes_, static_cast<uint64_t>(number), 8); },
          [this](FontUnit unit) { bytes_.push_back(unit.value); },
          [this](float size) { AppendLittleEndian(bytes_, std::bit_cast<uint32_t>(size), 4); },
          [this](double number) { AppendLittleEndian(bytes_, std::bit_cast<uint64_t>(number), 8); },
          [this](Color color) { AppendLittleEndian(bytes_, color.value, 4); },
          [this, &entry](const std::string& text) {
            if (text.size() > UINT32_MAX) {
              throw UnsupportedFormatException("Text of property \"" + entry.name +
                                               "\" is too long for a property list");
            }
            AppendLittleEndian(bytes_, text.size(), 4);
            bytes_.insert(bytes_.end(), text.begin(), text.end());
          },
      },
      entry.value);
}

std::vector<Property> PropertyList::Decode(const PropertyTypeLookup& typeOf,
                                           std::string_view className) const {
  std::vector<Property> entries;
  PropertyReader reader(bytes_);
  while (!reader.AtEnd()) {
    std::string name = reader.ReadName();
    const std::optional<PropertyType> type = typeOf(name);
    if (!type) {
      throw KeyNotFoundException("No property \"" + name + "\" in class " + std::string(className));
    }
    PropertyValue value = reader.ReadValue(*type, name);
    entries.push_back(Property(std::move(name), std::move(value)));
  }
  return entries;
}

}  // namespace fw
