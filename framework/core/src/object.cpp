#include "framework/object.h"

#include <algorithm>

#include "framework/exceptions.h"

namespace fw {

bool ClassRecord::IsA(const ClassRecord& other) const {
  for (const ClassRecord* c = this; c != nullptr; c = c->super) {
    if (c == &other) {
      return true;
    }
  }
  return false;
}

bool ClassRecord::ImplementsEvent(WindowEvent event) const {
  return std::find(events.begin(), events.end(), event) != events.end();
}

const PropertyDescriptor* ClassRecord::FindProperty(std::string_view property) const {
  for (const ClassRecord* c = this; c != nullptr; c = c->super) {
    for (const PropertyDescriptor& d : c->properties) {
      if (d.name == property) {
        return &d;
      }
    }
  }
  return nullptr;
}

const ClassRecord& BuildClassRecordOnce(const ClassRecord*& slot,
                                        const std::function<void(ClassRecord&)>& build) {
  // Records live for the whole process: they are never released.
  if (slot == nullptr) {
    auto* record = new ClassRecord;
    build(*record);
    slot = record;
  }
  return *slot;
}

Ref<Object> RuntimeNewObject(const ClassRecord& cls) {
  if (!cls.factory) {
    throw RuntimeException("The class " + cls.name + " cannot be instantiated");
  }
  return cls.factory();
}

Ref<Object> RuntimeCheckCast(const Ref<Object>& object, const ClassRecord& cls) {
  if (object && !object->Class().IsA(cls)) {
    throw IllegalCastException("An object of class " + object->Class().name + " is not a " +
                               cls.name);
  }
  return object;
}

bool RuntimeIsEventHandled(const Object& object, std::string_view className, WindowEvent event,
                           bool /*programClass*/) {
  for (const ClassRecord* c = &object.Class(); c != nullptr; c = c->super) {
    if (c->name == className) {
      return c->ImplementsEvent(event);
    }
  }
  return false;
}

void SetProperties(Object& target, const PropertyList& list) {
  const ClassRecord& cls = target.Class();
  auto typeOf = [&cls](std::string_view name) -> std::optional<PropertyType> {
    if (const PropertyDescriptor* d = cls.FindProperty(name)) {
      return d->type;
    }
    return std::nullopt;
  };
  for (const Property& p : list.Decode(typeOf, cls.name)) {
    cls.FindProperty(p.name)->apply(target, p.value);
  }
}

}  // namespace fw
