#pragma once
// The run time's object model: reference-counted objects, class records with
// their implemented events and declared properties, creation by class record
// and checked casts.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/property_list.h"

namespace fw {

template <class T>
using Ref = std::shared_ptr<T>;

class Object;

// A property a class declares: its name, its type in a property list, and how
// a decoded value is applied to an object of the class.
struct PropertyDescriptor {
  std::string_view name;
  PropertyType type;
  std::function<void(Object& target, const PropertyValue& value)> apply;
};

// The run time's registration of a class.
struct ClassRecord {
  std::string name;
  const ClassRecord* super = nullptr;
  std::vector<std::string> events;             // events this class itself implements
  std::function<Ref<Object>()> factory;        // a new object, not yet constructed
  std::vector<PropertyDescriptor> properties;  // declared by this class itself

  bool IsA(const ClassRecord& other) const;
  bool ImplementsEvent(std::string_view event) const;
  // Searches this class, then its superclasses.
  const PropertyDescriptor* FindProperty(std::string_view property) const;
};

class Object : public std::enable_shared_from_this<Object> {
 public:
  Object() = default;
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  virtual ~Object() = default;
  virtual const ClassRecord& Class() const = 0;
};

// Builds a class record once: the first caller builds it, every later one gets
// the same record. `build` fills in the record.
const ClassRecord& BuildClassRecordOnce(const ClassRecord*& slot,
                                        const std::function<void(ClassRecord&)>& build);

Ref<Object> RuntimeNewObject(const ClassRecord& cls);

// The object itself when it is of the class (or nil when it is nil); raises
// IllegalCastException otherwise.
Ref<Object> RuntimeCheckCast(const Ref<Object>& object, const ClassRecord& cls);

template <class T>
Ref<T> RuntimeCheckCast(const Ref<Object>& object) {
  return std::static_pointer_cast<T>(RuntimeCheckCast(object, T::Lookup()));
}

// Whether the class registered as `className` in the object's class chain
// implements `event`. `programClass` asks about a class of the program's own.
bool RuntimeIsEventHandled(const Object& object, std::string_view className, std::string_view event,
                           bool programClass);

// Applies every entry of the list, in order, to the property of that name.
void SetProperties(Object& target, const PropertyList& list);

}  // namespace fw
