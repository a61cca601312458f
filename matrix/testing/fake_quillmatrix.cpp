// Stand-ins for a broken deployment, for the binding's tests: a library
// without the entry point, one whose table has another interface version, and
// one that fails with a code the program does not know.

#include "quillmatrix/entrypoints.h"

#if defined(FAKE_QUILLMATRIX_wrong_abi)

extern "C" QM_EXPORT const QmEntryPoints* quillmatrix_entrypoints(void) {
  static const QmEntryPoints table = {QM_ABI_VERSION + 1,
                                      sizeof(QmEntryPoints),
                                      nullptr,
                                      nullptr,
                                      nullptr,
                                      nullptr,
                                      nullptr,
                                      nullptr};
  return &table;
}

#elif defined(FAKE_QUILLMATRIX_odd_code)

#include <cstring>

namespace {
int Fail(char* error, size_t size) {
  std::strncpy(error, "Something odd happened.", size - 1);
  return 99;
}
int Create(int64_t, int64_t, const char*, size_t, QmMatrix** out, char* error, size_t size) {
  *out = nullptr;
  return Fail(error, size);
}
void Release(QmMatrix*) {}
int64_t Count(const QmMatrix*) {
  return 0;
}
int Divide(const QmMatrix*, double, QmMatrix** out, char* error, size_t size) {
  *out = nullptr;
  return Fail(error, size);
}
int Element(const QmMatrix*, int64_t, int64_t, double*, char* error, size_t size) {
  return Fail(error, size);
}
}  // namespace

extern "C" QM_EXPORT const QmEntryPoints* quillmatrix_entrypoints(void) {
  static const QmEntryPoints table = {
      QM_ABI_VERSION, sizeof(QmEntryPoints), &Create, &Release, &Count, &Count, &Divide, &Element};
  return &table;
}

#else

extern "C" QM_EXPORT int quillmatrix_something_else(void) {
  return 0;
}

#endif
