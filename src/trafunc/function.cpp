// Implemented by the function work.
