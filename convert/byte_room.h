// ByteRoom: free room at the end of a byte store, which the reader copies a line's bytes into.
#pragma once

namespace t2k {

// Filled from next towards end; whoever owns the store keeps what lies before next.
struct ByteRoom {
    char* next;
    char* end;
};

} // namespace t2k
