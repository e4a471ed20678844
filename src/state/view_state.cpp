#include "state/view_state.h"

// The record is header-only; this unit gives the library an object file.
namespace state {}
