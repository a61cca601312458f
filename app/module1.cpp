#include "app/module1.h"

namespace Module1 {

TextGrid MyData;

}  // namespace Module1
