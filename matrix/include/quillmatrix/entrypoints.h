#ifndef QUILLMATRIX_ENTRYPOINTS_H
#define QUILLMATRIX_ENTRYPOINTS_H
/* The matrix library's binary interface. The program binds the plug-in at
   start-up by resolving one symbol, quillmatrix_entrypoints, and calls
   everything else through the table it returns. Plain C, so that a plug-in
   built by another compiler or run-time library can be bound. */

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32)
#if defined(QUILLMATRIX_BUILDING_PLUGIN)
#define QM_EXPORT __declspec(dllexport)
#else
#define QM_EXPORT
#endif
#else
#define QM_EXPORT __attribute__((visibility("default")))
#endif

/* Bumped whenever the table below changes in a way an older caller cannot
   cope with. Entries are only ever appended, so a caller may accept a larger
   struct_size than its own. */
#define QM_ABI_VERSION 1

/* Result codes. On any code but QM_OK an output matrix is set to NULL and the
   error buffer holds a NUL-terminated UTF-8 message for the user. */
#define QM_OK 0
#define QM_BAD_ARGUMENT 1
#define QM_BAD_ENTRY_NUMBER 2
#define QM_DIVIDE_BY_ZERO 3
#define QM_NEGATIVE_NUMBER 4
#define QM_NEGATIVE_OR_ZERO 5
#define QM_OVERFLOW_OR_UNDERFLOW 6
#define QM_ROW_COLUMN_MISMATCH 7
#define QM_OUT_OF_MEMORY 8

/* A matrix of doubles owned by the plug-in; free it with release. */
typedef struct QmMatrix QmMatrix;

typedef struct QmEntryPoints {
  uint32_t abi_version; /* QM_ABI_VERSION of the plug-in */
  uint32_t struct_size; /* sizeof(QmEntryPoints) of the plug-in */

  /* Builds a matrix from text: one row per non-blank line, values separated
     by blanks or TABs. The shape comes from the text; rows and columns are the
     caller's expectation and must not be negative. */
  int (*create_from_text)(int64_t rows, int64_t columns, const char* utf8, size_t length,
                          QmMatrix** out, char* error, size_t error_size);
  /* Frees a matrix; NULL is ignored. */
  void (*release)(QmMatrix* m);
  /* Shape of a matrix; 0 for NULL. */
  int64_t (*num_rows)(const QmMatrix* m);
  int64_t (*num_columns)(const QmMatrix* m);
  /* x divided by m: x times the inverse of the square matrix m. */
  int (*divide_right)(const QmMatrix* m, double x, QmMatrix** out, char* error, size_t error_size);
  /* The element at 0-based row and column. */
  int (*element)(const QmMatrix* m, int64_t row, int64_t column, double* out, char* error,
                 size_t error_size);
} QmEntryPoints;

/* The one exported symbol. The table is static: valid while the plug-in is
   loaded. */
QM_EXPORT const QmEntryPoints* quillmatrix_entrypoints(void);

#ifdef __cplusplus
}
#endif

#endif /* QUILLMATRIX_ENTRYPOINTS_H */
