#include "app/file_types.h"

namespace FileTypes {
namespace {

fw::Ref<fw::FileType>& TextSlot() {
  static fw::Ref<fw::FileType> type;
  return type;
}

}  // namespace

const fw::Ref<fw::FileType>& Text() {
  return TextSlot();
}

void Initialize() {
  TextSlot() = fw::RuntimeCheckCast<fw::FileType>(fw::RuntimeNewObject(fw::FileType::Lookup()));
  fw::FileType& type = *TextSlot();
  type.Name = "text/plain";
  type.Extensions = "txt";
  type.MacType = "TEXT";
  type.MacCreator = "R*ch";
  type.MimeType = "";
  type.Imported = true;
  type.ConformsTo = "";
  // Converting the type to text registers it; the text itself is not needed.
  static_cast<void>(Text()->Operator_Convert());
}

}  // namespace FileTypes
