#pragma once
// How the program's heap treats freed memory.

namespace novra {

// Keeps freed memory in the heap for the next use instead of giving it back to the system at once.
// Compile, load and the undo copy of a big net allocate and free tens of megabytes at a time; given back
// and asked for again, every page of it costs a fault and a zero fill. Called once at the start of the
// program (and of the benchmarks, which measure it as the program runs).
void keepFreedMemoryForReuse();

}  // namespace novra
