#pragma once
// The run time's object model: reference-counted objects, class records with
// their implemented events and declared properties, creation by class record
// and checked casts.

#include <functional>
#include <iterator>
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

// The window events a class can implement. The framework raises one only
// when the object's class lists it; naming them here, not by text, makes a
// misspelt event a compile error instead of a handler that never runs.
enum class WindowEvent {
  Layout,
  CreateControls,
  AddMenuHandlers,
  Activate,
  Close,
  EnableMenuItems,
  KeyDown,
  MouseDown,
};

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
  std::vector<WindowEvent> events;             // events this class itself implements
  std::function<Ref<Object>()> factory;        // a new object, not yet constructed
  std::vector<PropertyDescriptor> properties;  // declared by this class itself

  bool IsA(const ClassRecord& other) const;
  bool ImplementsEvent(WindowEvent event) const;
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
bool RuntimeIsEventHandled(const Object& object, std::string_view className, WindowEvent event,
                           bool programClass);

// What every class of the program would otherwise repeat, written once. A
// class derives from RegisteredClass<Self, Base> and declares
//   static constexpr std::string_view kClassName;  the name it registers under
//   static constexpr WindowEvent kEvents[];        the events it implements
//                                                  (none when left out)
// and gets its class record (built once, Base's record as its superclass, a
// factory that makes a Self), ctblinit, Class() and IsEventImplemented.
template <class Self, class Base>
class RegisteredClass : public Base {
 public:
  using Base::Lookup;  // keeps a by-name Lookup the base may have
  static const ClassRecord& Lookup() {
    static const ClassRecord* record = nullptr;
    return BuildClassRecordOnce(record, [](ClassRecord& r) {
      r.name = std::string(Self::kClassName);
      r.super = &Base::Lookup();
      if constexpr (requires { Self::kEvents; }) {
        r.events.assign(std::begin(Self::kEvents), std::end(Self::kEvents));
      }
      r.factory = [] { return std::make_shared<Self>(); };
    });
  }
  // Builds the record at start-up, from the initializer table.
  static void ctblinit() { Lookup(); }
  const ClassRecord& Class() const override { return Lookup(); }
  bool IsEventImplemented(WindowEvent event) const {
    return RuntimeIsEventHandled(*this, Self::kClassName, event, true);
  }
};

// Applies every entry of the list, in order, to the property of that name.
void SetProperties(Object& target, const PropertyList& list);

}  // namespace fw
