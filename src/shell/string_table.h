// The program's string table: fixed texts looked up by number (message texts, the captions of the
// direction items, and the toolbar tooltips, whose numbers are the buttons' command numbers).
#pragma once

#include <string>

namespace shell {

// The text of an entry, or an empty text when the table holds no such entry.
std::string LoadString(int id);

// The same text in the next of eight buffers taken in turn, so that up to eight results can be
// held at once (the ninth load reuses the first buffer). At most 511 bytes of the entry are kept.
const char* LoadStringInRing(int id);

}  // namespace shell
