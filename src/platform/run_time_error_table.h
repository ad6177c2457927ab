#pragma once
// The run-time errors that the members raise or pass on and the platform's services report:
// number, name and standard description, in one table from which the constants and the
// descriptions both come.
#include <string_view>

// X(number, name, description)
#define TAVROSK_RUN_TIME_ERRORS(X)                                                 \
  X(5, kInvalidCall, u"Invalid procedure call or argument")                        \
  X(6, kOverflow, u"Overflow")                                                     \
  X(7, kOutOfMemory, u"Out of memory")                                             \
  X(9, kSubscriptOutOfRange, u"Subscript out of range")                            \
  X(10, kArrayFixedOrLocked, u"This array is fixed or temporarily locked")         \
  X(13, kTypeMismatch, u"Type mismatch")                                           \
  X(48, kErrorInLoadingDll, u"Error in loading DLL")                               \
  X(51, kInternal, u"Internal error")                                              \
  X(53, kFileNotFound, u"File not found")                                          \
  X(58, kFileAlreadyExists, u"File already exists")                                \
  X(75, kPathFileAccess, u"Path/File access error")                                \
  X(76, kPathNotFound, u"Path not found")                                          \
  X(91, kObjectVariableNotSet, u"Object variable or With block variable not set")  \
  X(424, kObjectRequired, u"Object required")                                      \
  X(438, kObjectDoesNotSupport, u"Object doesn't support this property or method") \
  X(449, kArgumentNotOptional, u"Argument not optional")                           \
  X(453, kDllEntryPointNotFound, u"Can't find DLL entry point")

namespace tavrosk {

namespace error {
#define TAVROSK_ERROR_CONSTANT(number, name, description) constexpr int name = number;
TAVROSK_RUN_TIME_ERRORS(TAVROSK_ERROR_CONSTANT)
#undef TAVROSK_ERROR_CONSTANT
}  // namespace error

// The standard description of a run-time error number. A number outside the table (one that
// an object passed on) reads as one that the application or an object defined.
constexpr std::u16string_view error_description(int number) {
  switch (number) {
#define TAVROSK_ERROR_DESCRIPTION(number, name, description) \
  case number:                                               \
    return description;
    TAVROSK_RUN_TIME_ERRORS(TAVROSK_ERROR_DESCRIPTION)
#undef TAVROSK_ERROR_DESCRIPTION
    default:
      return u"Application-defined or object-defined error";
  }
}

}  // namespace tavrosk
