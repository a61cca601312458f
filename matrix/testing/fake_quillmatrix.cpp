// Stand-ins for a broken deployment, for the binding's tests: a library
// without the entry point, and one whose table has another interface version.

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

#else

extern "C" QM_EXPORT int quillmatrix_something_else(void) {
  return 0;
}

#endif
